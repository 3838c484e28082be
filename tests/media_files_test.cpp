// The generated pictures, overlays and models, read back: sizes the demo's
// loaders take without resampling, alpha where the overlays need it, and
// models with what the scenes rely on (mesh counts, mapping coordinates,
// closed outward-facing wombat, rocks under the small wombats' feet).
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "support/MediaDecode.h"
#include "support/MediaFiles.h"

#ifdef MEDIA_DATA_DIR

namespace {

const char* const AllFiles[] = {
    "music.mp3", "test.snc", "spot.jpg", "vell.jpg", "timeup.jpg", "wombat.3ds", "womflash.jpg", "wombats.jpg",
    "1-owners.jpg", "1-picture.jpg", "lakris.3ds", "land.3ds", "stein.jpg", "vann.jpg", "lakris.jpg",
    "diag/1.tga", "diag/2.tga", "diag/3.tga", "diag/4.tga", "diag/5.tga", "diag/6.tga", "diag/7.tga"};

bool PowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

TDecodedImage Jpeg(const std::string& name) {
  TDecodedImage img;
  std::string error;
  EXPECT_TRUE(DecodeJpeg(MediaBytes(name), img, error)) << name << ": " << error;
  return img;
}

TDecodedImage Tga(const std::string& name) {
  TDecodedImage img;
  std::string error;
  EXPECT_TRUE(DecodeTga(MediaBytes(name), img, error)) << name << ": " << error;
  return img;
}

// Mean brightness (0..255) of rows [y0, y1) of an RGB(A) image.
double Brightness(const TDecodedImage& img, int y0, int y1) {
  double sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = 0; x < img.Width; ++x)
      for (int c = 0; c < 3; ++c) sum += img.Pixels[(static_cast<std::size_t>(y) * img.Width + x) * img.Channels + c];
  return sum / (3.0 * img.Width * (y1 - y0));
}

int Alpha(const TDecodedImage& img, int x, int y) { return img.Pixels[(static_cast<std::size_t>(y) * img.Width + x) * 4 + 3]; }

TParsed3DS Model(const std::string& name) {
  TParsed3DS model;
  std::string error;
  EXPECT_TRUE(Parse3DS(MediaBytes(name), model, error)) << name << ": " << error;
  return model;
}

void ExpectWellFormed(const TParsedMesh& m, const std::string& what) {
  const std::size_t n = m.Vertices.size() / 3;
  EXPECT_GT(n, 0u) << what;
  EXPECT_EQ(m.MapCoords.size() / 2, n) << what << ": a mapping coordinate for every vertex";
  for (std::uint16_t index : m.Faces) ASSERT_LT(index, n) << what;
  for (float v : m.Vertices) ASSERT_TRUE(std::isfinite(v)) << what;
}

struct TBox {
  double Lo[3] = {1e30, 1e30, 1e30}, Hi[3] = {-1e30, -1e30, -1e30};
  double Size(int k) const { return Hi[k] - Lo[k]; }
  double Mid(int k) const { return (Hi[k] + Lo[k]) / 2; }
};
TBox Bounds(const TParsedMesh& m) {
  TBox b;
  for (std::size_t i = 0; i < m.Vertices.size(); ++i) {
    b.Lo[i % 3] = std::min<double>(b.Lo[i % 3], m.Vertices[i]);
    b.Hi[i % 3] = std::max<double>(b.Hi[i % 3], m.Vertices[i]);
  }
  return b;
}

// Every edge used once in each direction by the faces: closed, and wound
// the same way all over.
bool ClosedAndConsistent(const TParsedMesh& m) {
  std::map<std::pair<int, int>, int> edges;
  for (std::size_t f = 0; f + 2 < m.Faces.size(); f += 3)
    for (int k = 0; k < 3; ++k)
      if (++edges[{m.Faces[f + k], m.Faces[f + (k + 1) % 3]}] > 1) return false;
  for (const auto& [e, count] : edges)
    if (!edges.count({e.second, e.first})) return false;
  return true;
}

double SignedVolume(const TParsedMesh& m) {
  double v = 0;
  auto p = [&](int i) { return &m.Vertices[3 * static_cast<std::size_t>(i)]; };
  for (std::size_t f = 0; f + 2 < m.Faces.size(); f += 3) {
    const float *a = p(m.Faces[f]), *b = p(m.Faces[f + 1]), *c = p(m.Faces[f + 2]);
    v += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) + a[2] * (b[0] * c[1] - b[1] * c[0]);
  }
  return v / 6;
}

}  // namespace

TEST(MediaFiles, EveryFileTheDemoReadsExists) {
  for (const char* name : AllFiles) EXPECT_GT(MediaBytes(name).size(), 100u) << name;
}

TEST(MediaPictures, DecodeAtPowerOfTwoSizes) {
  for (const char* name : AllFiles) {
    const std::string n = name;
    if (n.size() < 4 || n.substr(n.size() - 4) != ".jpg") continue;
    const TDecodedImage img = Jpeg(n);
    EXPECT_TRUE(PowerOfTwo(img.Width) && PowerOfTwo(img.Height)) << n << " " << img.Width << "x" << img.Height;
    EXPECT_GT(Brightness(img, 0, img.Height), 8.0) << n << " is not black";
  }
}

TEST(MediaPictures, SpotIsASoftRoundLightOnBlack) {
  const TDecodedImage spot = Jpeg("spot.jpg");
  ASSERT_EQ(spot.Width, 256);
  ASSERT_EQ(spot.Height, 256);
  auto at = [&](int x, int y) { return spot.Pixels[(static_cast<std::size_t>(y) * 256 + x) * 3]; };
  EXPECT_GT(at(128, 128), 230);
  EXPECT_LT(at(2, 2), 6);
  EXPECT_LT(at(2, 128), 6) << "black well before the border: it is added in the corners";
  EXPECT_GT(at(128, 90), at(128, 60)) << "falls off smoothly";
  EXPECT_GT(at(128, 60), at(128, 30));
}

TEST(MediaPictures, CaptionStripIsBrightLetteringOnBlackAndThePictureLeavesItRoom) {
  const TDecodedImage strip = Jpeg("1-owners.jpg");
  EXPECT_LT(Brightness(strip, 0, strip.Height), 40.0) << "mostly black: it is added";
  int bright = 0;
  for (std::size_t i = 0; i < strip.Pixels.size(); i += 3) bright += strip.Pixels[i] > 200 && strip.Pixels[i + 1] > 200;
  EXPECT_GT(bright, 2000) << "lettering";
  const TDecodedImage picture = Jpeg("1-picture.jpg");
  const int strip0 = picture.Height * (600 - 233) / 600;
  EXPECT_LT(Brightness(picture, strip0, picture.Height), 0.35 * Brightness(picture, 0, strip0))
      << "the bottom 233 of 600 rows stay dark under the added caption";
}

TEST(MediaOverlays, AreThirtyTwoBitWithAlphaInBothEncodings) {
  std::map<int, int> types;
  for (int k = 1; k <= 7; ++k) {
    const TDecodedImage img = Tga("diag/" + std::to_string(k) + ".tga");
    ASSERT_EQ(img.Channels, 4) << k;
    EXPECT_TRUE(PowerOfTwo(img.Width) && PowerOfTwo(img.Height)) << k;
    ++types[img.TgaType];
    std::size_t clear = 0, solid = 0;
    for (std::size_t i = 3; i < img.Pixels.size(); i += 4) {
      clear += img.Pixels[i] == 0;
      solid += img.Pixels[i] > 128;
    }
    const double n = static_cast<double>(img.Pixels.size() / 4);
    if (k == 1) {
      EXPECT_GT(solid / n, 0.95) << "the title card covers the screen";
    } else {
      EXPECT_EQ(Alpha(img, 0, 0), 0) << k << ": transparent ground";
      EXPECT_EQ(Alpha(img, img.Width - 1, img.Height - 1), 0) << k;
      EXPECT_GT(clear, 0u);
      EXPECT_GT(solid / n, 0.5) << k << ": a panel, not an empty picture";
    }
  }
  EXPECT_GT(types[2], 0) << "uncompressed";
  EXPECT_GT(types[10], 0) << "run-length";
}

TEST(MediaModels, WombatIsAClosedBodyOfTheRightSizeWithDarkDetails) {
  const TParsed3DS m = Model("wombat.3ds");
  ASSERT_GE(m.Meshes.size(), 2u);
  for (const TParsedMesh& mesh : m.Meshes) ExpectWellFormed(mesh, "wombat " + mesh.Name);
  const TParsedMesh& body = m.Meshes[0];
  const std::size_t vertices = body.Vertices.size() / 3;
  EXPECT_GE(vertices, 500u) << "enough to look furry";
  EXPECT_LE(vertices, 900u) << "40 hair strands per vertex per frame";
  EXPECT_TRUE(ClosedAndConsistent(body));
  EXPECT_GT(SignedVolume(body), 0) << "faces wind outwards";
  EXPECT_TRUE(ClosedAndConsistent(m.Meshes[1]));
  EXPECT_GT(SignedVolume(m.Meshes[1]), 0);
  const TBox b = Bounds(body);
  EXPECT_GE(b.Size(0), 100);
  EXPECT_LE(b.Size(0), 150) << "about 100-150 long";
  EXPECT_LT(b.Size(2), b.Size(0)) << "z is up: longer than tall";
  for (int k = 0; k < 3; ++k) EXPECT_LT(std::fabs(b.Mid(k)), 15) << "around the origin, axis " << k;
  EXPECT_GT(b.Lo[2], -50) << "above the light sheets at -50";
}

TEST(MediaModels, LandHasALightFirstThenLandAndAFlatWaterGrid) {
  const TParsed3DS m = Model("land.3ds");
  ASSERT_GE(m.ObjectIsMesh.size(), 3u);
  EXPECT_FALSE(m.ObjectIsMesh[0]) << "a non-mesh object before the first mesh";
  ASSERT_GE(m.Meshes.size(), 2u);
  for (const TParsedMesh& mesh : m.Meshes) ExpectWellFormed(mesh, "land " + mesh.Name);
  const TParsedMesh& water = m.Meshes[1];
  EXPECT_GE(water.Vertices.size() / 3, 40u * 40u);
  const TBox w = Bounds(water);
  EXPECT_EQ(w.Size(2), 0.0) << "flat";
  EXPECT_GE(w.Size(0), 40.0);
  EXPECT_GE(w.Size(1), 40.0);
}

// The small wombats' feet: scale x lowest z of the wombat + the scene's
// height; every land vertex under a footprint must be within reach of them.
TEST(MediaModels, RocksCarryTheLakrisScenesWombatsAtTheirFeet) {
  const TParsed3DS landFile = Model("land.3ds"), wombatFile = Model("wombat.3ds");
  ASSERT_FALSE(landFile.Meshes.empty());
  ASSERT_FALSE(wombatFile.Meshes.empty());
  const TParsedMesh& land = landFile.Meshes[0];
  const TParsedMesh& wombat = wombatFile.Meshes[0];
  const TBox wb = Bounds(wombat);
  struct TSpot {
    double X, Height, Scale;
  };
  for (const TSpot s : {TSpot{15, 8.0, 0.05}, TSpot{-9, 7.5, 0.03}}) {
    const double feet = s.Height + s.Scale * wb.Lo[2];
    const double halfLength = s.Scale * wb.Size(0) / 2, halfWidth = s.Scale * wb.Size(1) / 2;
    int under = 0;
    for (std::size_t i = 0; i < land.Vertices.size(); i += 3) {
      // Land in file coordinates: world x = x, world z = -y, height = z.
      if (std::fabs(land.Vertices[i] - s.X) > halfLength * 0.8 || std::fabs(land.Vertices[i + 1]) > halfWidth * 0.8)
        continue;
      ++under;
      EXPECT_NEAR(land.Vertices[i + 2], feet, 0.3) << "at x " << land.Vertices[i];
    }
    EXPECT_GE(under, 4) << "the grid resolves the rock at x " << s.X;
  }
}

TEST(MediaModels, LakrisIsOneBigPieceStandingNearTheSceneCentre) {
  const TParsed3DS m = Model("lakris.3ds");
  ASSERT_GE(m.Meshes.size(), 1u);
  ExpectWellFormed(m.Meshes[0], "lakris");
  EXPECT_TRUE(ClosedAndConsistent(m.Meshes[0]));
  EXPECT_GT(SignedVolume(m.Meshes[0]), 0);
  const TBox b = Bounds(m.Meshes[0]);
  const double across = std::max({b.Size(0), b.Size(1), b.Size(2)});
  EXPECT_GE(across, 200);
  EXPECT_LE(across, 300);
  // Scaled by 0.15 and turned z-up, its middle lies near (0, 28, 0).
  EXPECT_NEAR(0.15 * b.Mid(2), 28, 4);
  EXPECT_NEAR(0.15 * b.Mid(0), 0, 4);
  EXPECT_NEAR(0.15 * b.Mid(1), 0, 4);
  EXPECT_GT(0.15 * b.Lo[2], 3) << "clear of the highest waves";
}

#endif
