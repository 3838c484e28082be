#include "support/SceneMedia.h"

#include <cmath>
#include <cstdlib>

#include "driver/QRN2Base.h"
#include "support/TestImages.h"

const TRGB OpeningLeft{230, 20, 20}, OpeningRight{20, 20, 230};
const TRGB OwnersColor{100, 100, 100}, PictureColor{60, 90, 120};
const TRGB SpotColor{255, 255, 255}, VellColor{250, 20, 20}, TimeupColor{20, 20, 250};
const TRGB StoneColor{128, 128, 128}, WaterColor{60, 160, 60}, LakrisColor{90, 40, 20};
const TRGB DiagColors[7] = {{240, 20, 20}, {20, 240, 20}, {240, 20, 240}, {240, 240, 20},
                            {20, 240, 240}, {240, 130, 20}, {130, 20, 240}};

namespace {
namespace fs = std::filesystem;

// An n x n grid of `size` units in the x-y plane at height z, centred on (cx, cy).
T3DSObject Grid(const char* name, int n, float size, float cx, float cy, float z) {
  T3DSObject o;
  o.Name = name;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const float fx = static_cast<float>(i) / (n - 1), fy = static_cast<float>(j) / (n - 1);
      o.Vertices.push_back({cx + (fx - 0.5f) * size, cy + (fy - 0.5f) * size, z});
      o.MapCoords.push_back({fx, fy});
    }
  for (int j = 0; j + 1 < n; ++j)
    for (int i = 0; i + 1 < n; ++i) {
      const auto p = static_cast<std::uint16_t>(j * n + i);
      const auto q = static_cast<std::uint16_t>(p + n);
      o.Faces.push_back({p, static_cast<std::uint16_t>(p + 1), static_cast<std::uint16_t>(q + 1), 0});
      o.Faces.push_back({p, static_cast<std::uint16_t>(q + 1), q, 0});
    }
  return o;
}

void WriteSome(const fs::path& path, std::vector<T3DSObject> objects, int meshes) {
  objects.resize(static_cast<std::size_t>(meshes));
  WriteModel(path, std::move(objects));
}

TBytes SolidTGA(const TRGB& c) {
  TTGAHeader h;
  h.Width = 8;
  h.Height = 8;
  h.Depth = 32;
  TBytes pixels;
  for (int i = 0; i < 64; ++i) pixels.insert(pixels.end(), {c.b, c.g, c.r, 255});
  return TGABytes(h, pixels);
}

TBytes Solid(const TRGB& c) { return SolidJPG(16, 16, c.r, c.g, c.b); }

// Left half one colour, right half the other.
TBytes Halves(const TRGB& left, const TRGB& right) {
  const int w = 64, h = 16;
  TBytes rgb;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TRGB& c = x < w / 2 ? left : right;
      rgb.insert(rgb.end(), {c.r, c.g, c.b});
    }
  return JPGBytes(w, h, rgb);
}
}  // namespace

T3DSObject Octahedron(const char* name, float r, T3DSPoint c) {
  T3DSObject o;
  o.Name = name;
  o.Vertices = {{c.x + r, c.y, c.z}, {c.x - r, c.y, c.z}, {c.x, c.y + r, c.z},
                {c.x, c.y - r, c.z}, {c.x, c.y, c.z + r}, {c.x, c.y, c.z - r}};
  o.MapCoords.assign(o.Vertices.size(), {0.5f, 0.5f});
  // Counter-clockwise seen from outside.
  o.Faces = {{0, 2, 4, 0}, {2, 1, 4, 0}, {1, 3, 4, 0}, {3, 0, 4, 0},
             {2, 0, 5, 0}, {1, 2, 5, 0}, {3, 1, 5, 0}, {0, 3, 5, 0}};
  return o;
}

void WriteModel(const fs::path& path, std::vector<T3DSObject> objects) {
  T3DSModel model;
  model.Objects = std::move(objects);
  if (!Write3DSFile(path.string(), model)) std::abort();
}

void WriteDemoModels(const fs::path& data, int wombatMeshes, int landMeshes, int lakrisMeshes) {
  fs::create_directories(data);
  WriteSome(data / "wombat.3ds",
            {Octahedron("Body", WombatBodyRadius, {0, 0, 0}), Octahedron("Eyes", 2, {0, -9, 4})}, wombatMeshes);
  WriteSome(data / "land.3ds", {Grid("Land", 3, 30, 40, 0, -2), Grid("Water", 9, 80, 0, 0, 0)}, landMeshes);
  WriteSome(data / "lakris.3ds", {Octahedron("Lakris", 40, {0, 0, 180})}, lakrisMeshes);
}

void WriteDemoPictures(const fs::path& data) {
  fs::create_directories(data / "diag");
  WriteBytes(data / "wombats.jpg", Halves(OpeningLeft, OpeningRight));
  WriteBytes(data / "1-owners.jpg", Solid(OwnersColor));
  WriteBytes(data / "1-picture.jpg", Solid(PictureColor));
  WriteBytes(data / "spot.jpg", Solid(SpotColor));
  WriteBytes(data / "womflash.jpg", Solid(SpotColor));
  WriteBytes(data / "vell.jpg", Solid(VellColor));
  WriteBytes(data / "timeup.jpg", Solid(TimeupColor));
  WriteBytes(data / "stein.jpg", Solid(StoneColor));
  WriteBytes(data / "vann.jpg", Solid(WaterColor));
  WriteBytes(data / "lakris.jpg", Solid(LakrisColor));
  for (int k = 0; k < 7; ++k) WriteBytes(data / "diag" / (std::to_string(k + 1) + ".tga"), SolidTGA(DiagColors[k]));
}

void WriteDemoMedia(const fs::path& data, const std::vector<float>& ends) {
  WriteDemoModels(data);
  WriteDemoPictures(data);
  WriteBytes(data / "test.snc", SyncBytes(ends));
}

std::vector<float> OneSecondPatterns() {
  std::vector<float> ends;
  for (int i = 1; i <= 19; ++i) ends.push_back(static_cast<float>(i));
  return ends;
}

bool PixelNear(const std::vector<std::uint8_t>& rgba, TRGB c, int tolerance) {
  return std::abs(rgba[0] - c.r) <= tolerance && std::abs(rgba[1] - c.g) <= tolerance &&
         std::abs(rgba[2] - c.b) <= tolerance;
}

TDemoRun::TDemoRun(const std::vector<float>& ends, const std::function<void(const fs::path&)>& change) {
  WriteDemoMedia(Dir / "data", ends);
  if (change) change(Dir / "data");
  Ok = DemoStartup();
}

void TDemoRun::Draw(double t) {
  TFakeCounter::Set(static_cast<std::uint64_t>(std::llround(t * 1e6)));
  DemoRenderFrame();
}

void TDemoRun::Frame(double t) {
  Draw(t);
  DemoEndFrame();
}

std::string Rgb(const std::vector<std::uint8_t>& rgba) {
  return std::to_string(rgba[0]) + ", " + std::to_string(rgba[1]) + ", " + std::to_string(rgba[2]);
}
