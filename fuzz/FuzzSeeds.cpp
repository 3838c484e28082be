// fuzz_seeds: writes the starting corpus of every fuzz target, made by our
// own writers and test builders: small, valid files of each kind and a few
// near misses, plus the files of a data directory when one is given.
//   fuzz_seeds OUT_DIR [DATA_DIR]
// OUT_DIR gets one folder per target (sync, bmp, tga, jpg, 3ds).
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TestImages.h"
#include "tools/writers/JpgWriter.h"
#include "tools/writers/Writer3DS.h"

namespace fs = std::filesystem;

namespace {
void Save(const fs::path& dir, const std::string& name, const TBytes& bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TBytes Pattern(int count, int channels, int salt) {
  TBytes p;
  for (int i = 0; i < count * channels; ++i) p.push_back(static_cast<std::uint8_t>(i * 29 + salt));
  return p;
}

TBytes SyncFile(const std::vector<float>& ends, std::size_t size) {
  TBytes b(1616, 0);
  for (std::size_t i = 0; i < ends.size(); ++i) std::memcpy(&b[i * 4], &ends[i], 4);
  b.resize(size);
  return b;
}

void SyncSeeds(const fs::path& dir) {
  std::vector<float> ramp;
  for (int i = 1; i <= 19; ++i) ramp.push_back(2.0f * static_cast<float>(i));
  Save(dir, "ramp.snc", SyncFile(ramp, 1616));
  Save(dir, "short.snc", SyncFile(ramp, 500));
  Save(dir, "odd.snc", SyncFile(ramp, 7));
  Save(dir, "stalled.snc", SyncFile({1.0f, 2.0f, 0.0f, 4.0f}, 1616));
  Save(dir, "nan.snc", SyncFile({1.0f, std::nanf(""), -3.0f, 1e38f}, 1616));
}

void BMPSeeds(const fs::path& dir) {
  Save(dir, "2x2.bmp", BMPBytes({.Width = 2, .Height = 2}, Pattern(2 * 2 + 2, 3, 1)));
  Save(dir, "3x2.bmp", BMPBytes({.Width = 3, .Height = 2}, Pattern(8, 3, 2)));  // rows padded to 12 bytes
  Save(dir, "topdown.bmp", BMPBytes({.Width = 4, .Height = -3}, Pattern(12, 3, 3)));
  Save(dir, "palette.bmp",
       BMPBytes({.Width = 1, .Height = 1, .ColoursUsed = 2, .PaletteEntries = 2}, Pattern(2, 3, 4)));
  Save(dir, "sized.bmp", BMPBytes({.Width = 2, .Height = 1, .ImageSize = 8}, Pattern(3, 3, 5)));
  Save(dir, "32bit.bmp", BMPBytes({.Width = 1, .Height = 1, .BitCount = 32}, Pattern(1, 4, 6)));
}

// A run-length body: a raw packet of `raw` pixels, then runs of 3 up to `pixels`.
TBytes RunLength(int pixels, int raw, int bytes) {
  TBytes b = {static_cast<std::uint8_t>(raw - 1)};
  const TBytes p = Pattern(raw, bytes, 7);
  b.insert(b.end(), p.begin(), p.end());
  for (int left = pixels - raw; left > 0; left -= 3) {
    b.push_back(static_cast<std::uint8_t>(0x80 + (left < 3 ? left : 3) - 1));
    for (int k = 0; k < bytes; ++k) b.push_back(static_cast<std::uint8_t>(left * 13 + k));
  }
  return b;
}

void TGASeeds(const fs::path& dir) {
  Save(dir, "2x2-24.tga", TGABytes({.Width = 2, .Height = 2}, Pattern(4, 3, 1)));
  Save(dir, "2x2-32.tga", TGABytes({.Width = 2, .Height = 2, .Depth = 32}, Pattern(4, 4, 2)));
  Save(dir, "3x1-id.tga", TGABytes({.IdLength = 5, .Width = 3, .Height = 1}, Pattern(3, 3, 3)));
  Save(dir, "rle-24.tga", TGABytes({.ImageType = 10, .Width = 5, .Height = 3}, RunLength(15, 4, 3)));
  Save(dir, "rle-32.tga", TGABytes({.ImageType = 10, .Width = 4, .Height = 4, .Depth = 32}, RunLength(16, 2, 4)));
  Save(dir, "rle-long-run.tga", TGABytes({.ImageType = 10, .Width = 16, .Height = 16}, {0xFF, 1, 2, 3, 0xFF, 4, 5, 6}));
  Save(dir, "colormapped.tga", TGABytes({.ColourMapType = 1, .Width = 1, .Height = 1}, Pattern(1, 3, 4)));
  Save(dir, "16bit.tga", TGABytes({.Width = 1, .Height = 1, .Depth = 16}, Pattern(1, 2, 5)));
}

TBytes StyledJPG(int width, int height, const TJpgStyle& style) {
  return EncodeJpg(width, height, Pattern(width * height, style.Grey ? 1 : 3, 9), style);
}

void JPGSeeds(const fs::path& dir) {
  Save(dir, "solid.jpg", SolidJPG(8, 8, 200, 100, 50));
  Save(dir, "baseline.jpg", StyledJPG(13, 7, {.Quality = 90}));
  Save(dir, "420.jpg", StyledJPG(17, 9, {.Quality = 50, .Sampling = 2}));
  Save(dir, "grey.jpg", StyledJPG(9, 9, {.Quality = 90, .Grey = true}));
  Save(dir, "progressive.jpg", StyledJPG(16, 16, {.Quality = 40, .Progressive = true}));
  Save(dir, "restart.jpg", StyledJPG(16, 32, {.Quality = 30, .Sampling = 2, .Restart = 1}));
}

T3DSObject Triangle(const std::string& name, float z) {
  T3DSObject o;
  o.Name = name;
  o.Vertices = {{0, 0, z}, {1, 0, z}, {0, 1, z}, {1, 1, z}};
  o.MapCoords = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
  o.Faces = {{0, 1, 2, 7}, {1, 3, 2, 0}};
  return o;
}

void ModelSeeds(const fs::path& dir) {
  T3DSModel two;
  two.Objects = {Triangle("a", 0), Triangle("b", 1)};
  Save(dir, "two.3ds", Write3DS(two));

  T3DSModel mixed;
  T3DSObject light{.Name = "lamp", .Kind = T3DSObjectKind::Light};
  T3DSObject camera{.Name = "cam", .Kind = T3DSObjectKind::Camera};
  T3DSObject bare = Triangle("bare", 2);
  bare.WriteMapCoords = false;
  bare.WriteLocalAxes = false;
  mixed.Objects = {light, camera, bare};
  Save(dir, "mixed.3ds", Write3DS(mixed));

  T3DSObject loose = Triangle("loose", 3);
  loose.MapCoords.resize(2);
  loose.Faces.push_back({0, 9, 2, 0});  // a corner past the vertices
  Save(dir, "loose.3ds", Write3DS({.RootId = 0xC23D, .Objects = {loose}}));
  Save(dir, "database.3ds", Write3DS({.RootId = 0x3DAA, .Objects = {Triangle("db", 0)}}));

  // A named object whose mesh sits one level too deep.
  std::vector<std::uint8_t> object;
  Put3DSName(object, "deep");
  Put3DSBytes(object, Chunk3DS(0x4600, Chunk3DS(0x4100, {})));
  Save(dir, "deep.3ds", Chunk3DS(0x4D4D, Chunk3DS(0x3D3D, Chunk3DS(0x4000, object))));
}

void DataSeeds(const fs::path& data, const fs::path& out) {
  for (const auto& entry : fs::recursive_directory_iterator(data)) {
    if (!entry.is_regular_file()) continue;
    std::string ext = entry.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const char* target = ext == ".jpg" ? "jpg" : ext == ".tga" ? "tga" : ext == ".3ds" ? "3ds" : ext == ".snc" ? "sync" : nullptr;
    if (!target) continue;
    fs::create_directories(out / target);
    const std::string name = "data-" + fs::relative(entry.path(), data).string();
    std::string flat = name;
    for (char& c : flat)
      if (c == '/') c = '-';
    fs::copy_file(entry.path(), out / target / flat, fs::copy_options::overwrite_existing);
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: fuzz_seeds OUT_DIR [DATA_DIR]\n");
    return 2;
  }
  const fs::path out = argv[1];
  SyncSeeds(out / "sync");
  BMPSeeds(out / "bmp");
  TGASeeds(out / "tga");
  JPGSeeds(out / "jpg");
  ModelSeeds(out / "3ds");
  if (argc == 3) DataSeeds(argv[2], out);
  return 0;
}
