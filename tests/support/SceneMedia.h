// A small, complete demo data directory for the scene and driver tests:
// the three models with the meshes the scenes draw, and every picture in a
// plain colour the tests can recognise.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "driver/QRN2Base.h"
#include "support/TestSupport.h"
#include "tools/writers/Writer3DS.h"

struct TRGB {
  std::uint8_t r, g, b;
};

// The pictures' colours.
extern const TRGB OpeningLeft, OpeningRight;  // "wombats.jpg": left and right half
extern const TRGB OwnersColor, PictureColor;  // "1-owners.jpg", "1-picture.jpg"
extern const TRGB SpotColor, VellColor, TimeupColor;
extern const TRGB StoneColor, WaterColor, LakrisColor;
extern const TRGB DiagColors[7];  // "diag\1.tga" to "diag\7.tga", opaque

// Model sizes as written.
constexpr int WombatBodyVertices = 6;  // mesh 0: an octahedron of radius 10
constexpr float WombatBodyRadius = 10;

// Six vertices at distance r from c, eight faces wound outward.
T3DSObject Octahedron(const char* name, float r, T3DSPoint c);
// Writes a model of these objects; aborts when it cannot.
void WriteModel(const std::filesystem::path& path, std::vector<T3DSObject> objects);

// wombat.3ds, land.3ds and lakris.3ds, with the given numbers of meshes
// (the scenes draw 2, 2 and 1). The water (land mesh 1) is a 9 x 9 grid
// 80 units wide in the file's x-y plane, its centre vertex (index 40) at
// the origin.
void WriteDemoModels(const std::filesystem::path& data, int wombatMeshes = 2, int landMeshes = 2,
                     int lakrisMeshes = 1);
void WriteDemoPictures(const std::filesystem::path& data);
// Models, pictures and test.snc with these pattern ends.
void WriteDemoMedia(const std::filesystem::path& data, const std::vector<float>& ends);

// Pattern i ends at (i + 1) seconds, for patterns 0 to 18.
std::vector<float> OneSecondPatterns();

// True when the pixel is within `tolerance` of the colour in every channel.
bool PixelNear(const std::vector<std::uint8_t>& rgba, TRGB c, int tolerance = 6);
// "r, g, b" of a pixel, for failure messages.
std::string Rgb(const std::vector<std::uint8_t>& rgba);

// The scenes of the demo that has started.
inline TDemoSceneSet& Scenes() { return *Driver.Scenes; }

// The demo started in a fresh directory on the media above, on a counter of
// microseconds the test sets; the demo clock's zero is counter 0.
class TDemoRun {
 public:
  // `change` may replace media in data/ before the start.
  explicit TDemoRun(const std::vector<float>& ends = OneSecondPatterns(),
                    const std::function<void(const std::filesystem::path& data)>& change = {});
  bool Started() const { return Ok; }
  // Clock to t seconds, then the driver's frame: drawn, not yet presented.
  void Draw(double t);
  // Draw and present.
  void Frame(double t);

  TTempDir Dir{true};
  TFakeCounter Counter{1000000};

 private:
  bool Ok = false;
};
