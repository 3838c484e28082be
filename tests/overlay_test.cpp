// 2D overlays and render to texture, drawn offscreen and read back.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/QRN2RenderTexture.h"
#include "engine/QRN2Textures.h"
#include "engine/QRN2_2D.h"
#include "engine/Quarn2.h"
#include "support/TestSupport.h"

namespace {
using TBytes = std::vector<std::uint8_t>;
const TBytes Red = {255, 0, 0, 255}, Yellow = {255, 255, 0, 255}, Blue = {0, 0, 255, 255},
             White = {255, 255, 255, 255};

// 2 x 2, first row red and yellow, second row blue and white; nearest
// filtering so every pixel shows one texel.
GLuint QuadrantTexture() {
  const TBytes rgb = {255, 0, 0, 255, 255, 0, 0, 0, 255, 255, 255, 255};
  const GLuint t = CreateTexture(2, 2, GL_RGB, rgb.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return t;
}

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

void ClearTo(float r, float g, float b) {
  glClearColor(r, g, b, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Every pixel is the texel of its quadrant; `mirrored` swaps left and right.
void ExpectQuadrants(const TBytes& frame, bool mirrored = false) {
  int wrong = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const bool right = (x >= 400) != mirrored;
      const TBytes& want = y < 300 ? (right ? Yellow : Red) : (right ? White : Blue);
      if (At(frame, x, y) != want && ++wrong < 5) ADD_FAILURE() << "pixel " << x << ", " << y;
    }
  EXPECT_EQ(wrong, 0);
}

// The demo's perspective: 45 degrees, aspect 4/3.
void ExpectDemoPerspective() {
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
  EXPECT_NEAR(m[5], f, 1e-6);
  EXPECT_NEAR(m[0], f / (4.0 / 3.0), 1e-6);
  EXPECT_NEAR(m[11], -1, 1e-9);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}
}  // namespace

TEST(Overlay, FullScreenImageCoversEveryPixelFirstRowAtTheBottom) {
  TestWindow();
  const GLuint t = QuadrantTexture();
  ClearTo(0, 0.5f, 0);
  Begin2D();
  DrawImage(t, 0, 0, 800, 600);
  End2D();
  ExpectQuadrants(Frame());
}

TEST(Overlay, NegativeWidthMirrorsAndZeroWidthDrawsNothing) {
  TestWindow();
  const GLuint t = QuadrantTexture();
  ClearTo(0, 0.5f, 0);
  Begin2D();
  DrawImage(t, 800, 0, -800, 600);
  End2D();
  ExpectQuadrants(Frame(), true);
  ClearTo(0, 0.5f, 0);
  Begin2D();
  DrawImage(t, 100, 100, 0, 300);
  DrawImage(t, 100, 100, 300, 0);
  End2D();
  const TBytes frame = Frame();
  for (int y = 90; y < 410; y += 7)
    for (int x = 90; x < 410; x += 7) ASSERT_EQ(At(frame, x, y), (TBytes{0, 128, 0, 255}));
}

TEST(Overlay, AdditiveAddsTheTextureWeightedByAlphaAndTint) {
  TestWindow();
  const TBytes rgba = {200, 100, 40, 128};  // one texel, alpha about a half
  const GLuint t = CreateTexture(1, 1, GL_RGBA, rgba.data());
  ClearTo(0.2f, 0.2f, 0.2f);
  const TBytes before = Frame();
  Begin2D();
  DrawImageAdditive(t, {1, 1, 1, 0}, 0, 0, 800, 600);
  End2D();
  EXPECT_EQ(Frame(), before) << "tint alpha 0 adds nothing";
  Begin2D();
  DrawImageAdditive(t, {1, 1, 1, 1}, 0, 0, 800, 600);
  End2D();
  const TBytes p = At(Frame(), 400, 300);
  EXPECT_NEAR(p[0], 51 + 200 * 128 / 255, 2);
  EXPECT_NEAR(p[1], 51 + 100 * 128 / 255, 2);
  EXPECT_NEAR(p[2], 51 + 40 * 128 / 255, 2);
}

TEST(Overlay, ColorAdditiveAndTintedBlendTheirWays) {
  TestWindow();
  const TBytes rgb = {128, 255, 0};
  const GLuint t = CreateTexture(1, 1, GL_RGB, rgb.data());
  ClearTo(0.2f, 0.2f, 0.2f);
  Begin2D();
  DrawImageColorAdditive(t, {1, 1, 1, 1}, 0, 0, 800, 600);  // adds colour * colour
  End2D();
  TBytes p = At(Frame(), 10, 10);
  EXPECT_NEAR(p[0], 51 + 128 * 128 / 255, 2);
  EXPECT_EQ(p[1], 255);
  EXPECT_NEAR(p[2], 51, 1);
  ClearTo(0, 0, 1);
  Begin2D();
  DrawImageTinted(t, {1, 1, 1, 0.5f}, 0, 0, 800, 600);  // half over the blue
  End2D();
  p = At(Frame(), 10, 10);
  EXPECT_NEAR(p[0], 64, 2);
  EXPECT_NEAR(p[1], 128, 2);
  EXPECT_NEAR(p[2], 128, 2);
}

TEST(Overlay, EveryDrawLeavesTheListedState) {
  TestWindow();
  const GLuint t = QuadrantTexture();
  // A window that is not 4:3 still gets the 4/3 perspective back.
  const TWindowRec saved = CurrentWindow;
  CurrentWindow.Width = 1000;
  const TColor4 tint{0.25f, 0.5f, 0.75f, 1};
  for (int variant = 0; variant < 4; ++variant) {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_FOG);
    glDisable(GL_COLOR_MATERIAL);
    glBindTexture(GL_TEXTURE_2D, 0);
    Begin2D();
    switch (variant) {
      case 0: DrawImage(t, 10, 10, 20, 20); break;
      case 1: DrawImageTinted(t, tint, 10, 10, 20, 20); break;
      case 2: DrawImageAdditive(t, tint, 10, 10, 20, 20); break;
      case 3: DrawImageColorAdditive(t, tint, 10, 10, 20, 20); break;
    }
    SCOPED_TRACE(variant);
    ExpectDemoPerspective();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), t);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], variant == 0 ? 1.0f : 0.25f);
    EXPECT_EQ(glIsEnabled(GL_COLOR_MATERIAL), variant == 0);
    EXPECT_EQ(glIsEnabled(GL_FOG), variant != 1);
    End2D();
  }
  CurrentWindow = saved;
  glDisable(GL_FOG);
}

TEST(Overlay, Begin2DSetsAndEnd2DRestoresTheModelview) {
  TestWindow();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(3, 4, 5);
  glEnable(GL_TEXTURE_2D);
  Begin2D();
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 0);
  EXPECT_EQ(m[14], -1);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "the draw state is reset";
  End2D();
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 3);
  EXPECT_EQ(m[14], 5);
}

TEST(Overlay, OrthoProjectionIsOneUnitPerPixel) {
  TestWindow();
  OrthoProjection();
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  EXPECT_NEAR(m[0], 2.0 / 800, 1e-9);
  EXPECT_NEAR(m[5], 2.0 / 600, 1e-9);
  EXPECT_NEAR(m[10], -1, 1e-9);
  EXPECT_NEAR(m[12], -1, 1e-9);
  EXPECT_NEAR(m[13], -1, 1e-9);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  PerspectiveProjection();
  ExpectDemoPerspective();
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  EXPECT_NEAR(m[14], -2.0 * FarPlane / (FarPlane - 1), 1e-6) << "near 1, far FarPlane";
}

TEST(RenderTexture, CreatedEmptyWithLinearFiltersAndOneLevel) {
  TestWindow();
  const GLuint t = CreateRenderTexture(64);
  GLint v = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &v);
  EXPECT_EQ(static_cast<GLuint>(v), t);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &v);
  EXPECT_EQ(v, 64);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &v);
  EXPECT_EQ(v, 64);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_ALPHA_SIZE, &v);
  EXPECT_EQ(v, 8);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &v);
  EXPECT_EQ(v, 0) << "no mipmaps";
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v);
  EXPECT_EQ(v, GL_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &v);
  EXPECT_EQ(v, GL_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &v);
  EXPECT_EQ(v, GL_REPEAT);
}

TEST(RenderTexture, CapturedSquareShowsUprightAndTheViewportComesBack) {
  TestWindow();
  const GLuint target = CreateRenderTexture(256);
  const GLuint picture = QuadrantTexture();
  glViewport(5, 5, 50, 50);  // whatever was there before
  BeginRenderToTexture(256);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 256);
  EXPECT_EQ(viewport[3], 256);
  ClearTo(0, 0, 0);
  Begin2D();
  DrawImage(picture, 0, 0, 800, 600);  // squeezed into the 256 square
  End2D();
  EndRenderToTexture(target, 256);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 800, 600}));

  // Texel (0, 0) is the square's bottom-left pixel.
  TBytes texels(256 * 256 * 4);
  glBindTexture(GL_TEXTURE_2D, target);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(TBytes(texels.begin(), texels.begin() + 4), Red);

  // Drawn back full screen it shows the picture upright.
  ClearTo(0, 0.5f, 0);
  glBindTexture(GL_TEXTURE_2D, target);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  Begin2D();
  DrawImage(target, 0, 0, 800, 600);
  End2D();
  const TBytes frame = Frame();
  EXPECT_EQ(At(frame, 100, 100), Red);
  EXPECT_EQ(At(frame, 700, 100), Yellow);
  EXPECT_EQ(At(frame, 100, 500), Blue);
  EXPECT_EQ(At(frame, 700, 500), White);
}
