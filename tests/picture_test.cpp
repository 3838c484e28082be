// The picture scene: the smear's fade and layers, the square it is drawn
// into and the frame it is stretched over, through the driver's frame.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "engine/QRN2Textures.h"
#include "scenes/Picture.h"
#include "support/SceneMedia.h"
#include "sync/Sync.h"

namespace {
// Pattern 1 ends at 2 s, patterns 2 and 3 run from 2 to 12 s.
std::vector<float> PictureAtTwo() {
  std::vector<float> ends = {1, 2, 10, 12};
  for (int i = 4; i <= 18; ++i) ends.push_back(static_cast<float>(i + 9));
  return ends;
}

// The strip where all eleven layers overlap (1.1 times the strip), added
// weighted by its own colour over the picture.
TRGB StripOverPicture() {
  auto add = [](std::uint8_t p, std::uint8_t s) {
    const double smear = std::min(255.0, 1.1 * s);
    return static_cast<std::uint8_t>(std::min(255.0, p + smear * smear / 255));
  };
  return {add(PictureColor.r, OwnersColor.r), add(PictureColor.g, OwnersColor.g), add(PictureColor.b, OwnersColor.b)};
}

GLint Wrap(GLuint texture) {
  GLint wrap = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  return wrap;
}
}  // namespace

TEST(Picture, FirstFrameOfTwentyMillisecondsLeavesTheWidestLayerAt158Pixels) {
  TDemoRun run(PictureAtTwo());
  ASSERT_TRUE(run.Started());
  EXPECT_EQ(Scenes().Picture.Fade, 4.0f) << "before any frame";
  run.Frame(1.99);
  ASSERT_EQ(Driver.Track.Pattern, 1);
  EXPECT_EQ(Scenes().Picture.Fade, 4.0f) << "the still picture's frames leave the fade alone";
  run.Draw(2.01);
  ASSERT_EQ(Driver.Track.Pattern, 2);
  EXPECT_FLOAT_EQ(Scenes().Picture.Fade, 3.98f);
  const TRect widest = SmearLayer(10, Scenes().Picture.Fade);
  EXPECT_NEAR(widest.X, -158.404, 1e-3);
  EXPECT_NEAR(widest.X + widest.W, 958.404, 1e-3);
  EXPECT_EQ(widest.Y, 0);
  EXPECT_EQ(widest.H, 233);
  const TRect first = SmearLayer(0, Scenes().Picture.Fade);
  EXPECT_EQ(first.X, 0);
  EXPECT_EQ(first.W, 800);
}

TEST(Picture, StripLandsInTheBottom233RowsOverThePicture) {
  TDemoRun run(PictureAtTwo());
  ASSERT_TRUE(run.Started());
  run.Frame(1.99);
  run.Frame(2.01);
  run.Draw(2.05);
  ASSERT_EQ(Driver.Track.Pattern, 2);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  // Away from the pictures' outermost half texels, which fade into the
  // clamped border.
  for (int x : {40, 400, 760}) {
    for (int y : {30, 100, 200})
      EXPECT_TRUE(PixelNear(ReadPixel(x, y), StripOverPicture(), 8)) << x << ", " << y << ": " << Rgb(ReadPixel(x, y));
    for (int y : {240, 400, 560})
      EXPECT_TRUE(PixelNear(ReadPixel(x, y), PictureColor, 8)) << x << ", " << y << ": " << Rgb(ReadPixel(x, y));
  }
}

TEST(Picture, FrameLongerThanTheFadeLeftEndsTheSmearAtOnce) {
  TDemoRun run(PictureAtTwo());
  ASSERT_TRUE(run.Started());
  run.Frame(1.99);
  run.Frame(2.01);
  run.Frame(3.5);
  EXPECT_FLOAT_EQ(Scenes().Picture.Fade, 3.98f - 1.49f);
  run.Frame(8.5);  // five seconds: more than the 2.49 left
  EXPECT_EQ(Scenes().Picture.Fade, 0.0f);
  const TRect widest = SmearLayer(10, Scenes().Picture.Fade);
  EXPECT_EQ(widest.X, 0);
  EXPECT_EQ(widest.W, 800);
  run.Frame(9.0);
  EXPECT_EQ(Scenes().Picture.Fade, 0.0f) << "never rises again";
  EXPECT_EQ(Driver.Track.Pattern, 2);
}

TEST(Picture, OnlyItsOwnTwoTexturesClampTheirEdges) {
  TDemoRun run(PictureAtTwo());
  ASSERT_TRUE(run.Started());
  EXPECT_EQ(Wrap(Scenes().Picture.OwnersTexture), GL_CLAMP);
  EXPECT_EQ(Wrap(Scenes().Picture.PictureTexture), GL_CLAMP);
  EXPECT_FALSE(TextureClamp) << "textures loaded later repeat";
  GLint width = 0;
  glBindTexture(GL_TEXTURE_2D, Scenes().Picture.SmearTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 512);
}

// Once the fade has stopped the smear is kept, not drawn again; but the
// square it was drawn in starts as the frame's clear colour, so a new clear
// colour is a new smear.
TEST(Picture, KeptSmearFollowsTheClearColour) {
  TDemoRun run(PictureAtTwo());
  ASSERT_TRUE(run.Started());
  run.Frame(1.99);
  run.Frame(8.0);
  ASSERT_EQ(Scenes().Picture.Fade, 0.0f);
  run.Draw(8.5);
  const auto kept = ReadPixel(400, 400);
  EXPECT_TRUE(PixelNear(kept, PictureColor, 8)) << Rgb(kept);
  glClearColor(0, 0, 1, 1);
  run.Draw(9.0);
  const auto blue = ReadPixel(400, 400);
  EXPECT_GT(blue[2], kept[2] + 100) << "the blue square, stretched and added: " << Rgb(blue);
}
