// The deform brush: buffer sizes, which components each operation writes,
// Twist's approach and its zero-distance guard, indices out of range, and
// drawing from a buffer.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "engine/QRN2Deform.h"
#include "engine/QRN2_3ds.h"
#include "support/GeometrySupport.h"
#include "support/TestSupport.h"
#include "tools/writers/Writer3DS.h"

namespace {

// A deform brush over the bumpy torus, the way the scenes set one up.
void FollowTorus(TQRNDeformBrush& deform, int rings = 12, int sides = 8) {
  auto mesh = std::make_unique<TMeshDataNM>();
  FillBumpyTorus(*mesh, rings, sides);
  mesh->CalcNormals();
  deform.Brush.Meshes.push_back(std::move(mesh));
  deform.Brush.MeshCount = 1;
  deform.SelectMesh(0);
}

}  // namespace

TEST(Deform, CreateAndSelectMeshSizeTheBuffers) {
  TQRNDeformBrush sized(2, 7);
  EXPECT_EQ(sized.BufferCount, 2);
  EXPECT_EQ(sized.Buffers[1].size(), 7u);
  EXPECT_EQ(sized.BufferLength, 0) << "the initial length is not recorded";

  TTempDir dir(true);
  ASSERT_TRUE(Write3DSFile("torus.3ds", TorusModel(12, 8)));
  TQRNDeformBrush deform(5, 0);
  deform.LoadFromFile("torus.3ds");
  EXPECT_EQ(Loader3DS, nullptr);
  ASSERT_EQ(deform.Brush.MeshCount, 1);
  EXPECT_TRUE(deform.Buffers[0].empty()) << "loading leaves the buffers alone";
  deform.SelectMesh(0);
  EXPECT_EQ(deform.BufferLength, 96);
  ASSERT_EQ(deform.Buffers.size(), 5u);
  for (const TVertexArray& buffer : deform.Buffers) {
    ASSERT_EQ(buffer.size(), 96u);
    for (const TVertex& v : buffer) EXPECT_TRUE(v.x == 0 && v.y == 0 && v.z == 0);
  }
  deform.Buffers[2][3].x = 5;
  deform.SetBufferLength(100);
  EXPECT_EQ(deform.Buffers[2][3].x, 5);
  EXPECT_EQ(deform.Buffers[2][99].x, 0);
}

TEST(Deform, DistancesScaleAndWaveWriteOneComponent) {
  TQRNDeformBrush deform(5, 0);
  FollowTorus(deform);
  const TMeshDataNM& mesh = *deform.Brush.Meshes[0];
  deform.CopyVertices(0);
  EXPECT_EQ(deform.Buffers[0][17].z, mesh.Vertices[17].z);
  for (TVertex& v : deform.Buffers[3]) v = MakeVertex(-1, 7, 8);
  deform.ComputeDistances(3, ZeroVector);
  for (int i = 0; i < deform.BufferLength; ++i) {
    EXPECT_EQ(deform.Buffers[3][i].x, PointDistance(mesh.Vertices[i], ZeroVector));
    EXPECT_EQ(deform.Buffers[3][i].y, 7);
    EXPECT_EQ(deform.Buffers[3][i].z, 8);
  }
  deform.ScaleBufferX(3, 0.5f);
  EXPECT_EQ(deform.Buffers[3][5].x, PointDistance(mesh.Vertices[5], ZeroVector) * 0.5f);
  EXPECT_EQ(deform.Buffers[3][5].y, 7);
  EXPECT_EQ(deform.Buffers[3][5].z, 8);

  const float x = deform.Buffers[3][5].x;
  deform.Wave(3, 0.25f, 2, 3);
  EXPECT_FLOAT_EQ(deform.Buffers[3][5].x, static_cast<float>(std::sin((x + 0.25) * 3) * 2));
  deform.Wave(3, 0.25f, 0, 3);
  for (const TVertex& v : deform.Buffers[3]) {
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 7);
  }

  deform.WriteAxis = 2;
  deform.ComputeDistances(4, MakeVertex(1, 0, 0));
  EXPECT_EQ(deform.Buffers[4][0].x, 0);
  EXPECT_EQ(deform.Buffers[4][0].z, PointDistance(mesh.Vertices[0], MakeVertex(1, 0, 0)));
  deform.WriteAxis = 3;  // no such component: nothing is written
  deform.ComputeDistances(1, ZeroVector);
  deform.Wave(1, 1, 1, 1);
  for (const TVertex& v : deform.Buffers[1]) EXPECT_TRUE(v.x == 0 && v.y == 0 && v.z == 0);
}

TEST(Deform, TwistApproachesTheTargetAndGuardsZeroDistance) {
  TQRNDeformBrush deform(5, 0);
  FollowTorus(deform);
  // Angles already at the target stay there, and the positions turn by
  // them again.
  for (TVertex& w : deform.Buffers[1]) w = MakeVertex(90, 30, -45);
  for (TVertex& d : deform.Buffers[2]) d.x = 2;
  deform.CopyVertices(0);
  deform.Twist(0, 1, 2, MakeVertex(90, 30, -45), 1.5f);
  for (int i = 0; i < deform.BufferLength; ++i) {
    EXPECT_EQ(deform.Buffers[1][i].x, 90);
    EXPECT_EQ(deform.Buffers[1][i].y, 30);
    EXPECT_EQ(deform.Buffers[1][i].z, -45);
    TVertex expected = deform.Brush.Meshes[0]->Vertices[i];
    RotateVertex(expected, MakeVertex(90, 30, -45));
    EXPECT_EQ(deform.Buffers[0][i].x, expected.x);
    EXPECT_EQ(deform.Buffers[0][i].y, expected.y);
    EXPECT_EQ(deform.Buffers[0][i].z, expected.z);
  }

  // A quarter of the way per call at rate * distance = 4; at distance 0
  // the target at once instead of infinities.
  for (TVertex& w : deform.Buffers[1]) w = ZeroVector;
  for (TVertex& d : deform.Buffers[2]) d.x = 2;
  deform.Buffers[2][0].x = 0;
  deform.CopyVertices(0);
  deform.Twist(0, 1, 2, MakeVertex(40, -8, 0), 2);
  EXPECT_EQ(deform.Buffers[1][1].x, 10);
  EXPECT_EQ(deform.Buffers[1][1].y, -2);
  EXPECT_EQ(deform.Buffers[1][0].x, 40);
  EXPECT_EQ(deform.Buffers[1][0].y, -8);
  EXPECT_TRUE(std::isfinite(deform.Buffers[0][0].x));
  deform.Twist(0, 1, 2, MakeVertex(40, -8, 0), 0);  // rate 0: every vertex
  EXPECT_EQ(deform.Buffers[1][1].x, 40);
}

TEST(Deform, IndicesOutOfRangeDoNothing) {
  TQRNDeformBrush deform(3, 0);
  FollowTorus(deform, 4, 4);
  deform.CopyVertices(3);
  deform.CopyVertices(-1);
  deform.ComputeDistances(7, ZeroVector);
  deform.ScaleBufferX(3, 2);
  deform.Wave(99, 0, 1, 1);
  deform.Twist(0, 1, 5, ZeroVector, 1);
  EXPECT_EQ(deform.Buffers.size(), 3u);
  for (const TVertexArray& buffer : deform.Buffers) EXPECT_EQ(buffer.size(), 16u);

  deform.SelectMesh(1);  // the brush has one mesh
  EXPECT_EQ(deform.BufferLength, 0);
  deform.CopyVertices(0);
  deform.DrawBuffer(0);
  EXPECT_TRUE(deform.Buffers[0].empty());

  // A buffer longer than the mesh is filled only as far as the mesh goes.
  deform.SelectMesh(0);
  deform.SetBufferLength(40);
  deform.CopyVertices(0);
  deform.ComputeDistances(1, MakeVertex(0, 0, 9));
  EXPECT_EQ(deform.Buffers[0].size(), 40u);
  EXPECT_EQ(deform.Buffers[0][39].x, 0);
  EXPECT_EQ(deform.Buffers[1][39].x, 0);
  EXPECT_GT(deform.Buffers[1][15].x, 0);
}

TEST(DeformGL, DrawBufferOfTheVerticesMatchesDrawArrays) {
  TestWindow();
  TQRNDeformBrush deform(5, 0);
  FollowTorus(deform, 24, 16);
  TMeshDataNM& mesh = *deform.Brush.Meshes[0];
  SetUpLitView();
  mesh.DrawArrays();
  const std::vector<std::uint8_t> expected = ReadFrame();
  ASSERT_GT(CountLit(expected), 5000);

  deform.CopyVertices(2);
  SetUpLitView();
  deform.DrawBuffer(2);
  EXPECT_EQ(ReadFrame(), expected);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_NORMAL_ARRAY) ||
               glIsEnabled(GL_TEXTURE_COORD_ARRAY));

  for (TVertex& v : deform.Buffers[2]) v = ScaleVector(v, 0.5f);  // the buffer, not the mesh, is drawn
  SetUpLitView();
  deform.DrawBuffer(2);
  EXPECT_LT(CountLit(ReadFrame()), CountLit(expected) / 2);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
