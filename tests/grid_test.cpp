// The texture-coordinate grid: its values, and what it draws.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/QRN2Grid.h"
#include "engine/QRN2Textures.h"
#include "engine/QRN2_2D.h"
#include "support/TestSupport.h"

namespace {
using TBytes = std::vector<std::uint8_t>;

TBytes Frame() {
  TBytes rgba(800 * 600 * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}
TBytes At(const TBytes& frame, int x, int y) {
  const auto p = frame.begin() + (y * 800 + x) * 4;
  return TBytes(p, p + 4);
}
void Clear() {
  glClearColor(0, 0.5f, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// 64 x 64 texels: red grows along u, blue along v; nearest filtering.
GLuint GradientTexture() {
  TBytes rgb;
  for (int v = 0; v < 64; ++v)
    for (int u = 0; u < 64; ++u) rgb.insert(rgb.end(), {std::uint8_t(u * 4), 0, std::uint8_t(v * 4)});
  const GLuint t = CreateTexture(64, 64, GL_RGB, rgb.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  return t;
}
}  // namespace

TEST(Grid, ResetMapsTheLatticeFromZeroToOne) {
  TQRNGrid grid(20, 20);
  ASSERT_EQ(grid.Points.size(), 20u);
  ASSERT_EQ(grid.Points[0].size(), 20u);
  EXPECT_EQ(grid.Points[10][5].u, 0.0f) << "all (0, 0) before Reset";
  grid.Reset();
  EXPECT_EQ(grid.Points[19][0].u, 1.0f);
  EXPECT_EQ(grid.Points[19][0].v, 0.0f);
  EXPECT_EQ(grid.Points[0][19].u, 0.0f);
  EXPECT_EQ(grid.Points[0][19].v, 1.0f);
  EXPECT_EQ(grid.Points[10][5].u, static_cast<float>(10.0 / 19.0));
  EXPECT_EQ(grid.Points[10][5].v, static_cast<float>(5.0 / 19.0));

  TQRNGrid wide(4, 2);
  wide.Reset();
  EXPECT_EQ(wide.Points[1][1].u, static_cast<float>(1.0 / 3.0));
  EXPECT_EQ(wide.Points[1][1].v, 1.0f);
}

TEST(Grid, TwoByTwoDrawsTheTextureUprightOverTheWindow) {
  TestWindow();
  const GLuint t = GradientTexture();
  TQRNGrid grid(2, 2);
  grid.Reset();
  Clear();
  glBindTexture(GL_TEXTURE_2D, t);
  grid.Draw(0, 0, 800, 600);
  const TBytes frame = Frame();
  // u runs left to right, v bottom to top; every pixel covered.
  EXPECT_EQ(At(frame, 0, 0), (TBytes{0, 0, 0, 255}));
  EXPECT_EQ(At(frame, 799, 0), (TBytes{252, 0, 0, 255}));
  EXPECT_EQ(At(frame, 0, 599), (TBytes{0, 0, 252, 255}));
  EXPECT_EQ(At(frame, 799, 599), (TBytes{252, 0, 252, 255}));
  for (std::size_t i = 1; i < frame.size(); i += 4)
    ASSERT_EQ(frame[i], 0) << "pixel " << i / 4 << " not covered";
}

TEST(Grid, MovingOnePointChangesOnlyTheFourQuadsAroundIt) {
  TestWindow();
  const GLuint t = GradientTexture();
  TQRNGrid grid(20, 20);
  grid.Reset();
  Clear();
  glBindTexture(GL_TEXTURE_2D, t);
  grid.Draw(0, 0, 800, 600);
  const TBytes before = Frame();
  grid.Points[5][5].u += 0.04f;
  grid.Points[5][5].v -= 0.03f;
  Clear();
  grid.Draw(0, 0, 800, 600);
  const TBytes after = Frame();
  // Quads (4..5, 4..5) span lattice columns 4 to 6 and rows 4 to 6.
  const double x0 = 4.0 / 19 * 800, x1 = 6.0 / 19 * 800, y0 = 4.0 / 19 * 600, y1 = 6.0 / 19 * 600;
  int changed = 0, outside = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      if (At(before, x, y) != At(after, x, y)) {
        ++changed;
        if (x + 1 < x0 || x > x1 + 1 || y + 1 < y0 || y > y1 + 1) ++outside;
      }
  EXPECT_GT(changed, 1000);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(grid.Points[5][6].u, static_cast<float>(5.0 / 19.0)) << "neighbours keep their values";
}

TEST(Grid, DrawLeavesLightingDepthOnAndBlendingOff) {
  TestWindow();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
  TQRNGrid grid(3, 3);
  grid.Reset();
  grid.Draw(0, 0, 800, 600);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(std::vector<GLfloat>(colour, colour + 4), (std::vector<GLfloat>{1, 1, 1, 1}));
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  EXPECT_NEAR(m[0], 1.0 / std::tan(22.5 * M_PI / 180.0) * 0.75, 1e-6) << "perspective back";
}

TEST(Grid, SingleRowDrawsNothingAndResetGivesNaN) {
  TestWindow();
  const GLuint t = GradientTexture();
  TQRNGrid grid(1, 20);
  grid.Reset();
  for (const TTexCoord& p : grid.Points[0]) EXPECT_TRUE(std::isnan(p.u));
  EXPECT_EQ(grid.Points[0][19].v, 1.0f);
  Clear();
  const TBytes before = Frame();
  glBindTexture(GL_TEXTURE_2D, t);
  grid.Draw(0, 0, 800, 600);
  EXPECT_EQ(Frame(), before);
  TQRNGrid none(-3, 2);  // a negative size is an empty grid
  none.Reset();
  none.Draw(0, 0, 800, 600);
  EXPECT_TRUE(none.Points.empty());
}

TEST(Grid, QuadCornersLieOnTheLattice) {
  TestWindow();
  TQRNGrid grid(20, 20);
  grid.Reset();
  // Feedback hands back every vertex in window coordinates.
  std::vector<GLfloat> feedback(361 * 40);
  glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_2D, feedback.data());
  glRenderMode(GL_FEEDBACK);
  grid.Draw(0, 0, 800, 600);
  const GLint used = glRenderMode(GL_RENDER);
  ASSERT_GT(used, 0);
  float minX = 1e9f, maxX = -1e9f, firstMaxX = 0, firstMaxY = 0;
  int polygons = 0;
  for (GLint i = 0; i < used;) {
    ASSERT_EQ(feedback[i], static_cast<GLfloat>(GL_POLYGON_TOKEN));
    const int n = static_cast<int>(feedback[i + 1]);
    for (int k = 0; k < n; ++k) {
      const float x = feedback[i + 2 + 2 * k], y = feedback[i + 3 + 2 * k];
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      if (polygons < 2 && x < 50 && y < 50) {
        firstMaxX = std::max(firstMaxX, x);
        firstMaxY = std::max(firstMaxY, y);
      }
    }
    ++polygons;
    i += 2 + 2 * n;
  }
  EXPECT_TRUE(polygons == 361 || polygons == 722) << polygons << " (quads may come back as triangle pairs)";
  EXPECT_FLOAT_EQ(minX, 0);
  EXPECT_FLOAT_EQ(maxX, 800);
  EXPECT_NEAR(firstMaxX, 42.105263, 1e-3);
  EXPECT_NEAR(firstMaxY, 31.578947, 1e-3);
}
