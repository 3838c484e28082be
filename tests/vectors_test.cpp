// Vector math: orientation and sign conventions, rounding order, NaN rules.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/QRN2Classes.h"
#include "engine/QRN2Vectors.h"

namespace {

void ExpectVertex(const TVertex& v, float x, float y, float z, float tolerance = 0) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace

TEST(Vectors, ConstructorsAndPacking) {
  const TTriangle t = MakeTriangle(MakeVertex(1, 2, 3), MakeVertex(4, 5, 6), MakeVertex(7, 8, 9));
  EXPECT_EQ(t.C.x, 7);
  const TFace f = MakeFace(-1, 2, 3);
  EXPECT_EQ(f.a, -1);
  const TColor4 c = MakeColor4(0.1f, 0.2f, 0.3f, 0.4f);
  EXPECT_EQ(c.a, 0.4f);
  EXPECT_EQ(MakeTexCoord(0.5f, 0.25f).v, 0.25f);
  // Arrays go to GL with stride 0.
  TVertexArray a(2);
  EXPECT_EQ(reinterpret_cast<const float*>(a.data()) + 3, &a[1].x);
  ExpectVertex(ZeroVector, 0, 0, 0);
}

TEST(Vectors, CrossProductOrientationAndAliasing) {
  ExpectVertex(CrossProduct(MakeVertex(1, 0, 0), MakeVertex(0, 1, 0)), 0, 0, 1);
  ExpectVertex(CrossProduct(MakeVertex(0, 1, 0), MakeVertex(1, 0, 0)), 0, 0, -1);
  TVertex a = MakeVertex(0, 1, 0);
  a = CrossProduct(a, MakeVertex(0, 0, 1));  // result over an argument
  ExpectVertex(a, 1, 0, 0);
  ExpectVertex(VectorFromTo(MakeVertex(1, 2, 3), MakeVertex(0, 0, 0)), -1, -2, -3);
  ExpectVertex(NegateVector(MakeVertex(1, -2, 0)), -1, 2, 0);
}

TEST(Vectors, TriangleNormalIsNotNormalised) {
  const TVertex o = MakeVertex(0, 0, 0);
  ExpectVertex(TriangleNormal(MakeTriangle(o, MakeVertex(1, 0, 0), MakeVertex(0, 1, 0))), 0, 0, 1);
  ExpectVertex(TriangleNormal(MakeTriangle(o, MakeVertex(2, 0, 0), MakeVertex(0, 2, 0))), 0, 0, 4);
  ExpectVertex(TriangleNormal(MakeTriangle(o, MakeVertex(0, 2, 0), MakeVertex(2, 0, 0))), 0, 0, -4);
  ExpectVertex(TriangleNormal(MakeTriangle(o, MakeVertex(1, 1, 1), MakeVertex(2, 2, 2))), 0, 0, 0);
}

TEST(Vectors, NormalizeAndZeroGivesNaN) {
  TVertex v = MakeVertex(3, 0, 4);
  NormalizeVector(v);
  ExpectVertex(v, 0.6f, 0, 0.8f);
  EXPECT_EQ(v.x, 0.6f);
  TVertex zero = ZeroVector;
  NormalizeVector(zero);
  EXPECT_TRUE(std::isnan(zero.x) && std::isnan(zero.y) && std::isnan(zero.z));
}

TEST(Vectors, PointDistanceInTwoRoundedSteps) {
  EXPECT_EQ(PointDistance(MakeVertex(0, 0, 0), MakeVertex(3, 4, 0)), 5.0f);
  EXPECT_EQ(PointDistance(MakeVertex(1, 2, 3), MakeVertex(1, 2, 3)), 0.0f);
  // Here rounding the horizontal distance first moves the last bits: the
  // direct root would give 17.9310398.
  const TVertex a = MakeVertex(14.515625f, 12.53125f, -15.28125f);
  const TVertex b = MakeVertex(0.90625f, 1.078125f, -13.015625f);
  const double dx = 14.515625 - 0.90625, dy = 12.53125 - 1.078125, dz = -15.28125 + 13.015625;
  const float direct = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
  const float h = static_cast<float>(std::sqrt(dx * dx + dz * dz));
  const float twoStep = static_cast<float>(std::sqrt(dy * dy + double(h) * h));
  ASSERT_NE(direct, twoStep);
  EXPECT_EQ(PointDistance(a, b), twoStep);
  EXPECT_FLOAT_EQ(PointDistance(a, b), 17.9310417f);
}

TEST(Vectors, ScaleVectorAndDegToRad) {
  ExpectVertex(ScaleVector(MakeVertex(1, -2, 3), 0.5f), 0.5f, -1, 1.5f);
  EXPECT_EQ(DegToRad(180), static_cast<float>(std::numbers::pi));
  EXPECT_EQ(DegToRad(-90), static_cast<float>(-std::numbers::pi / 2));
  EXPECT_EQ(DegToRad(0), 0.0f);
}

TEST(Vectors, RotateVertexAxesAndOrder) {
  const float eps = 1e-6f;
  TVertex p = MakeVertex(0, 1, 0);
  RotateVertex(p, MakeVertex(90, 0, 0));  // X turns +Y to +Z
  ExpectVertex(p, 0, 0, 1, eps);
  p = MakeVertex(1, 0, 0);
  RotateVertex(p, MakeVertex(0, 90, 0));  // Y turns +X to +Z
  ExpectVertex(p, 0, 0, 1, eps);
  p = MakeVertex(1, 0, 0);
  RotateVertex(p, MakeVertex(0, 0, 90));  // Z turns +X to +Y
  ExpectVertex(p, 0, 1, 0, eps);
  p = MakeVertex(0, 1, 0);
  RotateVertex(p, MakeVertex(90, 90, 0));  // X first: (0,0,1), then (-1,0,0)
  ExpectVertex(p, -1, 0, 0, eps);
  p = MakeVertex(0, 0, 1);
  RotateVertex(p, MakeVertex(270, 0, 0));  // the models' turn: +Z to +Y
  ExpectVertex(p, 0, 1, 0, eps);
  p = MakeVertex(1.25f, -3.5f, 7);
  RotateVertex(p, ZeroVector);
  EXPECT_EQ(p.x, 1.25f);
  EXPECT_EQ(p.y, -3.5f);
  EXPECT_EQ(p.z, 7.0f);
  p = MakeVertex(2, 0, 0);
  RotateVertex(p, MakeVertex(0, 0, -450));  // any angle: -450 is -90
  ExpectVertex(p, 0, -2, 0, 4 * eps);
}
