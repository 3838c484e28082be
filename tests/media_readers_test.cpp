// The generated media through the demo's own readers: every picture decodes
// with the engine's JPEG and TGA decoders, and every model loads into brushes
// that, turned as the scenes turn them, have what the scenes draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/JPGDecoder.h"
#include "engine/QRN2Brush.h"
#include "engine/TGADecoder.h"
#include "support/MediaFiles.h"

#ifdef MEDIA_DATA_DIR

namespace {

struct TBounds {
  TVertex Lo{1e30f, 1e30f, 1e30f}, Hi{-1e30f, -1e30f, -1e30f};
  void Add(const TVertex& v) {
    Lo = {std::min(Lo.x, v.x), std::min(Lo.y, v.y), std::min(Lo.z, v.z)};
    Hi = {std::max(Hi.x, v.x), std::max(Hi.y, v.y), std::max(Hi.z, v.z)};
  }
};

TBounds Bounds(const TMeshDataNM& mesh) {
  TBounds b;
  for (std::int32_t i = 0; i < mesh.VertexCount; ++i) b.Add(mesh.Vertices[i]);
  return b;
}

// Loaded and turned by 270 degrees about x, as every scene does.
TQRNBrush SceneBrush(const std::string& name) {
  TQRNBrush brush;
  brush.LoadFromFile(MediaPath(name));
  brush.Rotate({270, 0, 0});
  return brush;
}

void ExpectComplete(const TMeshDataNM& mesh, const std::string& what) {
  EXPECT_GT(mesh.VertexCount, 0) << what;
  EXPECT_GT(mesh.FaceCount, 0) << what;
  EXPECT_EQ(mesh.VertexLimit(), mesh.VertexCount) << what << ": a texture coordinate for every vertex";
  EXPECT_TRUE(mesh.FacesWithin(mesh.VertexCount)) << what;
}

}  // namespace

TEST(MediaThroughReaders, EveryPictureAndOverlayDecodes) {
  for (const char* name : {"spot.jpg", "vell.jpg", "timeup.jpg", "womflash.jpg", "wombats.jpg", "1-owners.jpg",
                           "1-picture.jpg", "stein.jpg", "vann.jpg", "lakris.jpg"}) {
    const std::vector<std::uint8_t> bytes = MediaBytes(name);
    TPixelImage image;
    ASSERT_TRUE(DecodeJPG(bytes.data(), bytes.size(), image)) << name;
    EXPECT_EQ(image.Channels, 4) << name;
  }
  for (int k = 1; k <= 7; ++k) {
    const std::vector<std::uint8_t> bytes = MediaBytes("diag/" + std::to_string(k) + ".tga");
    TPixelImage image;
    ASSERT_EQ(DecodeTGA(bytes.data(), bytes.size(), image), TTGAStatus::Ok) << k;
    EXPECT_EQ(image.Channels, 4) << k << ": overlays carry alpha";
  }
}

TEST(MediaThroughReaders, WombatNormalsPointOutAndNoVertexSitsAtTheOrigin) {
  const TQRNBrush brush = SceneBrush("wombat.3ds");
  ASSERT_GE(brush.MeshCount, 2);
  for (const auto& mesh : brush.Meshes) ExpectComplete(*mesh, "wombat " + mesh->Name);
  const TMeshDataNM& body = *brush.Meshes[0];
  // Outward: turning keeps the faces wound outwards (positive volume), and
  // the engine's vertex normals agree with the faces around them.
  double volume = 0;
  int agree = 0;
  for (std::int32_t f = 0; f < body.FaceCount; ++f) {
    const TFace& face = body.Faces[f];
    const TVertex a = body.Vertices[face.a], b = body.Vertices[face.b], c = body.Vertices[face.c];
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    volume += a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x);
    const TVertex& n = body.Normals[face.a];
    agree += nx * n.x + ny * n.y + nz * n.z > 0;
  }
  EXPECT_GT(volume, 0);
  EXPECT_GT(agree, body.FaceCount * 95 / 100);
  for (std::int32_t i = 0; i < body.VertexCount; ++i) {
    const TVertex& p = body.Vertices[i];
    EXPECT_GT(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 1.0f) << "the finale twist divides by this";
  }
  // Turned z-up: standing above the light sheets, on its feet (y up).
  const TBounds b = Bounds(body);
  EXPECT_GT(b.Lo.y, -50);
  EXPECT_GT(b.Hi.x - b.Lo.x, b.Hi.y - b.Lo.y);
}

TEST(MediaThroughReaders, LandKeepsItsMeshesAfterTheLightAndTheWaterLiesFlat) {
  const TQRNBrush brush = SceneBrush("land.3ds");
  ASSERT_GE(brush.MeshCount, 2);
  for (const auto& mesh : brush.Meshes) ExpectComplete(*mesh, "land " + mesh->Name);
  EXPECT_EQ(brush.Meshes[0]->Name, "Land");
  const TBounds flat = Bounds(*brush.Meshes[1]);
  EXPECT_NEAR(flat.Lo.y, flat.Hi.y, 1e-4f);
  EXPECT_GE(brush.Meshes[1]->VertexCount, 40 * 40);
  // Land ends above the highest wave all round the water's edge.
  const TMeshDataNM& water = *brush.Meshes[1];
  float reach = 0;
  for (std::int32_t i = 0; i < water.VertexCount; ++i)
    reach = std::max(reach, std::hypot(water.Vertices[i].x, water.Vertices[i].z));
  const TMeshDataNM& land = *brush.Meshes[0];
  for (std::int32_t i = 0; i < land.VertexCount; ++i) {
    const TVertex& p = land.Vertices[i];
    if (std::hypot(p.x, p.z) >= reach) {
      EXPECT_GT(p.y, 3.0f) << p.x << ", " << p.z;
    }
  }
}

TEST(MediaThroughReaders, LakrisStandsNearTheSceneCentreAtItsScale) {
  TQRNBrush brush = SceneBrush("lakris.3ds");
  ASSERT_GE(brush.MeshCount, 1);
  ExpectComplete(*brush.Meshes[0], "lakris");
  brush.Scale({0.15f, 0.15f, 0.15f});
  const TBounds b = Bounds(*brush.Meshes[0]);
  EXPECT_NEAR((b.Lo.y + b.Hi.y) / 2, 28.0f, 4.0f);
  EXPECT_NEAR((b.Lo.x + b.Hi.x) / 2, 0.0f, 4.0f);
  EXPECT_NEAR((b.Lo.z + b.Hi.z) / 2, 0.0f, 4.0f);
  EXPECT_GT(b.Lo.y, 3.0f) << "clear of the waves";
}

#endif
