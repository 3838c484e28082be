// Brushes: loading through the shared loader, rotation with normals
// recomputed, scaling without, and what a second or failed load leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/QRN2Brush.h"
#include "engine/QRN2_3ds.h"
#include "support/GeometrySupport.h"
#include "support/TestSupport.h"
#include "tools/writers/Writer3DS.h"

namespace {

float Length(const TVertex& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

}  // namespace

TEST(Brush, LoadGivesNormalsAndFreesTheLoader) {
  TTempDir dir(true);
  T3DSModel model = TorusModel(12, 8);
  T3DSObject light;
  light.Name = "light";
  light.Kind = T3DSObjectKind::Light;
  model.Objects.insert(model.Objects.begin(), light);
  model.Objects.push_back(model.Objects[1]);
  model.Objects[2].Name = "Second";
  ASSERT_TRUE(Write3DSFile("torus.3ds", model));

  TQRNBrush brush;
  EXPECT_EQ(brush.MeshCount, 0);
  brush.LoadFromFile("torus.3ds");
  ASSERT_EQ(brush.MeshCount, 2);
  ASSERT_EQ(brush.Meshes.size(), 2u);
  EXPECT_EQ(brush.Meshes[1]->Name, "Second");
  EXPECT_EQ(Loader3DS, nullptr);
  TMeshDataN reference;
  FillBumpyTorus(reference, 12, 8);
  reference.CalcNormals();
  EXPECT_EQ(0, std::memcmp(brush.Meshes[0]->Normals.data(), reference.Normals.data(),
                           reference.Normals.size() * sizeof(TVertex)));
}

TEST(Brush, RotateRecomputesNormalsAndScaleKeepsThem) {
  TTempDir dir(true);
  ASSERT_TRUE(Write3DSFile("torus.3ds", TorusModel(12, 8)));
  TQRNBrush brush;
  brush.LoadFromFile("torus.3ds");
  TMeshDataNM& mesh = *brush.Meshes[0];
  const TVertexArray before = mesh.Vertices;
  const TVertexArray normalsBefore = mesh.Normals;

  brush.Rotate(MakeVertex(270, 0, 0));  // +Z turns to +Y, +Y to -Z
  for (int i = 0; i < mesh.VertexCount; ++i) {
    EXPECT_NEAR(mesh.Vertices[i].x, before[i].x, 1e-6f);
    EXPECT_NEAR(mesh.Vertices[i].y, before[i].z, 1e-6f);
    EXPECT_NEAR(mesh.Vertices[i].z, -before[i].y, 1e-6f);
    EXPECT_NEAR(Length(mesh.Normals[i]), 1, 1e-6f);
    EXPECT_NEAR(mesh.Normals[i].y, normalsBefore[i].z, 1e-4f) << "normals turned with the mesh";
  }

  const TVertexArray normals = mesh.Normals;
  const TVertexArray rotated = mesh.Vertices;
  brush.Scale(MakeVertex(2, 1, 1));
  for (int i = 0; i < mesh.VertexCount; ++i) {
    EXPECT_EQ(mesh.Vertices[i].x, 2 * rotated[i].x);
    EXPECT_EQ(mesh.Vertices[i].y, rotated[i].y);
  }
  EXPECT_EQ(0, std::memcmp(mesh.Normals.data(), normals.data(), normals.size() * sizeof(TVertex)));
}

TEST(Brush, UnacceptedRootSecondLoadAndFailedLoad) {
  TTempDir dir(true);
  T3DSModel model = TorusModel(6, 4);
  ASSERT_TRUE(Write3DSFile("torus.3ds", model));
  model.RootId = 0x0001;
  ASSERT_TRUE(Write3DSFile("other.3ds", model));

  TQRNBrush brush;
  brush.LoadFromFile("other.3ds");
  EXPECT_EQ(brush.MeshCount, 0);
  EXPECT_TRUE(brush.Meshes.empty());

  brush.LoadFromFile("torus.3ds");
  brush.LoadFromFile("torus.3ds");  // the first load's meshes are freed
  EXPECT_EQ(brush.MeshCount, 1);

  EXPECT_THROW(brush.LoadFromFile("missing.3ds"), EInOutError);
  EXPECT_EQ(brush.MeshCount, 1) << "a failed load keeps what the brush had";
  EXPECT_EQ(brush.Meshes[0]->VertexCount, 24);
  ASSERT_NE(Loader3DS, nullptr) << "the failed load leaves the shared loader";

  FreeLoader3DS();
  brush.LoadMeshes("torus.3ds");  // without a loader one is made
  EXPECT_EQ(brush.MeshCount, 1);
}
