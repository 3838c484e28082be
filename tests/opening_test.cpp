// The opening scene: the warp of the lattice's texture coordinates, drawn
// through the driver's frame on a clock the test sets.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/QRN2Grid.h"
#include "scenes/Opening.h"
#include "support/SceneMedia.h"
#include "sync/Sync.h"

namespace {
// Pattern 0 lasts two million seconds, so any time of the warp is reached.
std::vector<float> LongOpening() {
  std::vector<float> ends;
  for (int i = 0; i <= 18; ++i) ends.push_back(2e6f + static_cast<float>(i));
  return ends;
}

float Lattice(int i) { return static_cast<float>(i / 19.0); }

// The pixel in the middle of lattice column i, half way up the screen.
std::vector<std::uint8_t> ColumnPixel(int i) {
  return ReadPixel(static_cast<int>((i + 0.5) * 800 / 19), 300);
}
}  // namespace

TEST(Opening, WarpWeighsTheWaveAndTheCoordinateEquallyAtFourSeconds) {
  EXPECT_NEAR(OpeningWarpU(0.5f, 4), 0.7493, 5e-5);
  EXPECT_NEAR(OpeningWarpU(0.5f, 4), (std::sin(0.125 - 0.5 + 2) + 0.5) / 2, 1e-7);
  EXPECT_NEAR(OpeningWarpV(0.5f, 4), (std::cos(0.125 - 0.5 + 2) + 0.5) / 2, 1e-7);
  EXPECT_NEAR(OpeningWarpV(0.0f, 4), (std::cos(1.5) + 0) / 2, 1e-7);
}

TEST(Opening, FrameWarpsEveryLatticePointFromItsRestPosition) {
  TDemoRun run(LongOpening());
  ASSERT_TRUE(run.Started());
  run.Draw(4.0);
  ASSERT_EQ(Driver.Track.Pattern, 0);
  ASSERT_EQ(Scenes().Opening.Grid.Rows, 20);
  ASSERT_EQ(Scenes().Opening.Grid.Cols, 20);
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 20; ++j) {
      const double u = Lattice(i), v = Lattice(j);
      EXPECT_NEAR(Scenes().Opening.Grid.Points[i][j].u, (std::sin(u / 4 - 0.5 + 2) + u) / 2, 1e-6) << i << ", " << j;
      EXPECT_NEAR(Scenes().Opening.Grid.Points[i][j].v, (std::cos(v / 4 - 0.5 + 2) + v) / 2, 1e-6) << i << ", " << j;
    }
  // The next frame starts again from the rest positions: no warp piles up.
  run.Draw(4.0);
  EXPECT_NEAR(Scenes().Opening.Grid.Points[7][3].u, (std::sin(Lattice(7) / 4 + 1.5) + Lattice(7)) / 2, 1e-6);
}

TEST(Opening, VeryLateFrameShowsThePictureUndistorted) {
  TDemoRun run(LongOpening());
  ASSERT_TRUE(run.Started());
  run.Draw(1e6);
  ASSERT_EQ(Driver.Track.Pattern, 0);
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 20; ++j) {
      EXPECT_NEAR(Scenes().Opening.Grid.Points[i][j].u, Lattice(i), 1e-5);
      EXPECT_NEAR(Scenes().Opening.Grid.Points[i][j].v, Lattice(j), 1e-5);
    }
  // The picture's halves meet in the middle of the screen (its very edges
  // blend into each other, as repeating textures do).
  for (int y : {5, 300, 595}) {
    EXPECT_TRUE(PixelNear(ReadPixel(30, y), OpeningLeft, 12)) << y;
    EXPECT_TRUE(PixelNear(ReadPixel(380, y), OpeningLeft, 12)) << y;
    EXPECT_TRUE(PixelNear(ReadPixel(420, y), OpeningRight, 12)) << y;
    EXPECT_TRUE(PixelNear(ReadPixel(770, y), OpeningRight, 12)) << y;
  }
}

TEST(Opening, CoordinatesBelowZeroShowTheRepeatedPicture) {
  // A time and a lattice column whose two edges both warp to -0.45..-0.05:
  // repeated, that band shows the picture's right half; clamped, its left.
  double time = 0;
  int column = -1;
  for (double t = 1.0; t < 30 && column < 0; t += 0.01)
    for (int i = 0; i + 1 < 20 && column < 0; ++i) {
      const float a = OpeningWarpU(Lattice(i), static_cast<float>(t));
      const float b = OpeningWarpU(Lattice(i + 1), static_cast<float>(t));
      if (a > -0.45f && a < -0.05f && b > -0.45f && b < -0.05f) {
        time = t;
        column = i;
      }
    }
  ASSERT_GE(column, 0) << "no such time";
  TDemoRun run(LongOpening());
  ASSERT_TRUE(run.Started());
  run.Draw(static_cast<float>(time));
  EXPECT_TRUE(PixelNear(ColumnPixel(column), OpeningRight, 12)) << "t = " << time << ", column " << column;
  GLint wrap = 0;
  glBindTexture(GL_TEXTURE_2D, Scenes().Opening.Texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(wrap, GL_REPEAT) << "loaded before the picture scene switches clamping on";
}

TEST(Opening, ClockAtZeroWarpsAsAMillisecondLaterAndStaysFinite) {
  TDemoRun run(LongOpening());
  ASSERT_TRUE(run.Started());
  run.Draw(0.0);
  ASSERT_EQ(Driver.Track.Pattern, 0);
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 20; ++j) {
      const TTexCoord p = Scenes().Opening.Grid.Points[i][j];
      ASSERT_TRUE(std::isfinite(p.u) && std::isfinite(p.v)) << i << ", " << j;
      EXPECT_EQ(p.u, OpeningWarpU(Lattice(i), OpeningFirstTime));
      EXPECT_EQ(p.v, OpeningWarpV(Lattice(j), OpeningFirstTime));
    }
  // Every pixel shows one of the picture's two colours.
  for (int x : {3, 200, 400, 600, 797}) {
    const auto p = ReadPixel(x, 300);
    EXPECT_TRUE(PixelNear(p, OpeningLeft, 40) || PixelNear(p, OpeningRight, 40)) << x;
  }
}
