// Meshes: array rules, normal weighting and NaN rules, the one-pass normals
// against the per-vertex definition, untrusted face indices, and drawing.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "engine/QRN2Meshes.h"
#include "engine/QRN2Vectors.h"
#include "support/GeometrySupport.h"
#include "support/TestSupport.h"

namespace {

void ExpectNear(const TVertex& v, float x, float y, float z, float tolerance = 1e-6f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

bool AllNaN(const TVertex& v) { return std::isnan(v.x) && std::isnan(v.y) && std::isnan(v.z); }

void AddVertices(TMeshData& mesh, std::initializer_list<TVertex> vertices) {
  for (const TVertex& v : vertices) mesh.AddVertex(v, MakeTexCoord(v.x, v.y));
}

}  // namespace

TEST(Meshes, AddVertexAddFaceAndClearKeepLengthsEqualToCounts) {
  TMeshDataN mesh;
  EXPECT_EQ(mesh.AddVertex(MakeVertex(1, 2, 3), MakeTexCoord(4, 5)), 0);
  ASSERT_EQ(mesh.Normals.size(), 1u);
  ExpectNear(mesh.Normals[0], 0, 0, 0, 0);
  EXPECT_EQ(mesh.AddVertex(MakeVertex(6, 7, 8), MakeTexCoord(9, 10)), 1);
  mesh.AddFace(MakeFace(0, 1, 1));
  EXPECT_EQ(mesh.VertexCount, 2);
  EXPECT_EQ(mesh.FaceCount, 1);
  EXPECT_EQ(mesh.TexCoords[1].u, 9);

  mesh.CalcNormals();
  mesh.Clear();
  EXPECT_EQ(mesh.VertexCount, 0);
  EXPECT_TRUE(mesh.Vertices.empty() && mesh.Faces.empty() && mesh.TexCoords.empty() && mesh.Normals.empty());
  // A vertex added after Clear starts with a zero normal, not an old one.
  mesh.AddVertex(MakeVertex(0, 0, 0), MakeTexCoord(0, 0));
  ASSERT_EQ(mesh.Normals.size(), 1u);
  ExpectNear(mesh.Normals[0], 0, 0, 0, 0);
}

TEST(Meshes, SingleTriangleNormalsFollowCornerOrder) {
  for (bool recalc : {false, true}) {
    TMeshDataN up, down;
    AddVertices(up, {MakeVertex(0, 0, 0), MakeVertex(1, 0, 0), MakeVertex(0, 1, 0)});
    AddVertices(down, {MakeVertex(0, 0, 0), MakeVertex(1, 0, 0), MakeVertex(0, 1, 0)});
    up.AddFace(MakeFace(0, 1, 2));
    down.AddFace(MakeFace(0, 2, 1));
    if (recalc) {
      up.RecalcNormals();
      down.RecalcNormals();
    } else {
      up.CalcNormals();
      down.CalcNormals();
    }
    for (int k = 0; k < 3; ++k) {
      ExpectNear(up.Normals[k], 0, 0, 1, 0);
      ExpectNear(down.Normals[k], 0, 0, -1, 0);
    }
  }
}

TEST(Meshes, NormalsAreAreaWeightedAndUnusedVertexIsNaN) {
  TMeshDataN mesh;
  // v0-v1 is the shared edge; v2 spans area 1/2 facing +Z, v3 area 2
  // facing +X; v4 belongs to no face.
  AddVertices(mesh, {MakeVertex(0, 0, 0), MakeVertex(0, 1, 0), MakeVertex(1, 0, 0), MakeVertex(0, 0, 4),
                     MakeVertex(5, 5, 5)});
  mesh.AddFace(MakeFace(0, 2, 1));
  mesh.AddFace(MakeFace(0, 1, 3));
  mesh.CalcNormals();
  ExpectNear(mesh.Normals[0], 0.970f, 0, 0.243f, 5e-4f);
  ExpectNear(mesh.Normals[1], 0.970f, 0, 0.243f, 5e-4f);
  ExpectNear(mesh.Normals[2], 0, 0, 1);
  ExpectNear(mesh.Normals[3], 1, 0, 0);
  EXPECT_TRUE(AllNaN(mesh.Normals[4]));
  EXPECT_TRUE(AllNaN(mesh.VertexNormal(4)));

  TVertexArray moved = mesh.Vertices;
  moved[2].x = -1;  // the +Z face turns over in the copy
  mesh.RecalcNormalsFrom(moved);
  ExpectNear(mesh.Normals[2], 0, 0, -1);
  ExpectNear(mesh.Normals[3], 1, 0, 0);
  EXPECT_TRUE(AllNaN(mesh.Normals[4]));
  EXPECT_EQ(mesh.Vertices[3].z, 4) << "own positions are not read or changed";
}

TEST(Meshes, OnePassNormalsEqualThePerVertexDefinitionBitForBit) {
  TMeshDataN mesh;
  FillBumpyTorus(mesh, 48, 32);
  // A face naming a vertex twice adds its normal twice.
  mesh.AddFace(MakeFace(5, 5, 40));
  TVertexArray expected(mesh.VertexCount);
  for (int k = 0; k < mesh.VertexCount; ++k) expected[k] = mesh.VertexNormal(k);

  mesh.CalcNormals();
  ASSERT_EQ(std::memcmp(mesh.Normals.data(), expected.data(), expected.size() * sizeof(TVertex)), 0);
  mesh.Normals.assign(mesh.VertexCount, MakeVertex(9, 9, 9));
  mesh.RecalcNormals();
  EXPECT_EQ(std::memcmp(mesh.Normals.data(), expected.data(), expected.size() * sizeof(TVertex)), 0);
  mesh.RecalcNormalsFrom(mesh.Vertices);
  EXPECT_EQ(std::memcmp(mesh.Normals.data(), expected.data(), expected.size() * sizeof(TVertex)), 0);
}

TEST(Meshes, SetSizeShrinksAndRecomputesNormalsFromWhatIsLeft) {
  TMeshDataN mesh;
  AddVertices(mesh, {MakeVertex(0, 0, 0), MakeVertex(1, 0, 0), MakeVertex(0, 1, 0), MakeVertex(0, 0, 1),
                     MakeVertex(1, 1, 1)});
  mesh.AddFace(MakeFace(0, 1, 2));
  mesh.AddFace(MakeFace(0, 3, 4));
  mesh.CalcNormals();
  mesh.SetSize(3, 1);
  ASSERT_EQ(mesh.VertexCount, 3);
  ASSERT_EQ(mesh.FaceCount, 1);
  EXPECT_EQ(mesh.Vertices.size(), 3u);
  EXPECT_EQ(mesh.TexCoords.size(), 3u);
  EXPECT_EQ(mesh.Normals.size(), 3u);
  EXPECT_EQ(mesh.Vertices[1].x, 1);
  EXPECT_EQ(mesh.TexCoords[2].v, 1);
  EXPECT_EQ(mesh.Faces[0].c, 2);
  for (int k = 0; k < 3; ++k) ExpectNear(mesh.Normals[k], 0, 0, 1, 0);

  mesh.SetSize(4, 2);  // growing adds zeros
  EXPECT_EQ(mesh.Vertices[3].x, 0);
  EXPECT_EQ(mesh.Faces[1].a, 0);
  EXPECT_EQ(mesh.Faces[1].c, 0);
}

TEST(Meshes, RotateAndScaleMoveOnlyPositions) {
  TMeshDataN mesh;
  AddVertices(mesh, {MakeVertex(0, 0, 1), MakeVertex(1, 0, 0), MakeVertex(0, 1, 0)});
  mesh.AddFace(MakeFace(0, 1, 2));
  mesh.CalcNormals();
  const TVertexArray normals = mesh.Normals;
  RotateMesh(mesh, MakeVertex(270, 0, 0));
  ExpectNear(mesh.Vertices[0], 0, 1, 0);   // +Z to +Y
  ExpectNear(mesh.Vertices[2], 0, 0, -1);  // +Y to -Z
  EXPECT_EQ(std::memcmp(mesh.Normals.data(), normals.data(), 3 * sizeof(TVertex)), 0);
  ScaleMesh(mesh, MakeVertex(2, 3, 4));
  EXPECT_EQ(mesh.Vertices[1].x, 2);
  EXPECT_NEAR(mesh.Vertices[0].y, 3, 1e-6f);
  EXPECT_NEAR(mesh.Vertices[2].z, -4, 1e-6f);
  EXPECT_EQ(std::memcmp(mesh.Normals.data(), normals.data(), 3 * sizeof(TVertex)), 0);
}

TEST(Meshes, FacesPastTheVerticesAreLeftOut) {
  TMeshDataN mesh;
  AddVertices(mesh, {MakeVertex(0, 0, 0), MakeVertex(1, 0, 0), MakeVertex(0, 1, 0)});
  mesh.AddFace(MakeFace(0, 1, 2));
  mesh.AddFace(MakeFace(0, 1, 3));
  mesh.AddFace(MakeFace(-1, 1, 2));
  mesh.AddFace(MakeFace(0, 1, 1 << 30));
  mesh.CalcNormals();
  for (int k = 0; k < 3; ++k) ExpectNear(mesh.Normals[k], 0, 0, 1, 0);
  const TTriangle t = mesh.GetFaceTriangle(1);
  EXPECT_EQ(t.B.x, 1);
  EXPECT_EQ(t.C.x, 0);
  EXPECT_EQ(mesh.GetFaceTriangle(99).A.x, 0);
  TVertexArray shorter(2, MakeVertex(7, 7, 7));
  mesh.RecalcNormalsFrom(shorter);  // only two positions: no face fits
  EXPECT_TRUE(AllNaN(mesh.Normals[0]));
}

// --- drawing, on the offscreen context ---

TEST(MeshesGL, ArraysAndImmediateModeDrawTheSamePicture) {
  TestWindow();
  TMeshDataNM mesh;
  FillBumpyTorus(mesh, 24, 16);
  mesh.CalcNormals();
  SetUpLitView();
  mesh.DrawArrays();
  const std::vector<std::uint8_t> arrays = ReadFrame();
  EXPECT_GT(CountLit(arrays), 5000);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_NORMAL_ARRAY) ||
               glIsEnabled(GL_TEXTURE_COORD_ARRAY));

  SetUpLitView();
  mesh.TMeshDataN::Draw();
  EXPECT_EQ(ReadFrame(), arrays);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(MeshesGL, BadFaceStopsTheArrayDrawAndEmptyMeshDrawsNothing) {
  TestWindow();
  TMeshDataN mesh;
  FillBumpyTorus(mesh, 24, 16);
  mesh.CalcNormals();
  mesh.AddFace(MakeFace(0, 1, mesh.VertexCount));
  SetUpLitView();
  mesh.DrawArrays();
  EXPECT_EQ(CountLit(ReadFrame()), 0);
  mesh.Draw();  // immediate mode leaves out the one bad face
  EXPECT_GT(CountLit(ReadFrame()), 5000);

  TMeshData empty;
  SetUpLitView();
  empty.Draw();
  empty.DrawArrays();
  EXPECT_EQ(CountLit(ReadFrame()), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(MeshesGL, ImmediateDrawAppliesTheMaterialAndArraysDoNot) {
  TestWindow();
  TMeshDataNM mesh;
  FillBumpyTorus(mesh, 8, 6);
  mesh.CalcNormals();
  SetUpLitView();
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  mesh.DrawArrays();
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "the caller's state stays";
  mesh.Material.Color = MakeColor4(0.25f, 0.5f, 0.75f, 1);
  mesh.Draw();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_FLOAT_EQ(color[0], 0.25f);
  EXPECT_FLOAT_EQ(color[2], 0.75f);
}

// Culling needs a closed surface wound outwards; anything else is drawn whole.
TEST(Meshes, OnlyAClosedOutwardSurfaceEnclosesAVolume) {
  auto tetrahedron = [](bool outwards, int faces) {
    auto mesh = std::make_unique<TMeshData>();
    AddVertices(*mesh, {MakeVertex(0, 0, 0), MakeVertex(1, 0, 0), MakeVertex(0, 1, 0), MakeVertex(0, 0, 1)});
    const TFace all[4] = {MakeFace(0, 2, 1), MakeFace(0, 1, 3), MakeFace(0, 3, 2), MakeFace(1, 2, 3)};
    for (int f = 0; f < faces; ++f) mesh->AddFace(outwards ? all[f] : MakeFace(all[f].a, all[f].c, all[f].b));
    return mesh;
  };
  EXPECT_TRUE(EnclosesVolume(*tetrahedron(true, 4)));
  EXPECT_FALSE(EnclosesVolume(*tetrahedron(false, 4))) << "wound inwards";
  EXPECT_FALSE(EnclosesVolume(*tetrahedron(true, 3))) << "open";
  auto bad = tetrahedron(true, 4);
  bad->Faces[3].c = 9;
  EXPECT_FALSE(EnclosesVolume(*bad)) << "a corner past the vertices";
}
