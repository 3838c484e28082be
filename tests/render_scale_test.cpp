// The frame drawn at a render scale: more pixels under the same 800x600
// units, so the same picture, only sharper; and multisampled frames,
// resolved before anything reads them.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "driver/DemoScenes.h"
#include "driver/QRN2Base.h"
#include "engine/QRN2Draw.h"
#include "engine/QRN2RenderTexture.h"
#include "engine/Quarn2.h"
#include "engine/RenderScale.h"
#include "support/SceneMedia.h"
#include "support/TestSupport.h"
#include "tools/capture/CaptureSession.h"
#include "frames/FrameImage.h"
#include "frames/PngFile.h"

namespace {
TDemoOptions AtScale(double scale, int samples = 0) {
  TDemoOptions o;
  o.Mute = true;
  UseFrameSizedWindow(o, scale);
  o.Msaa = samples;
  return o;
}

TImage ReadWholeFrame() {
  TImage frame;
  ReadFrame(CurrentRenderScale().Width, CurrentRenderScale().Height, frame);
  return DropAlpha(frame);
}

double MeanDifference(const TImage& a, const TImage& b) {
  if (a.Pixels.size() != b.Pixels.size() || a.Pixels.empty()) return 255;
  double sum = 0;
  for (std::size_t i = 0; i < a.Pixels.size(); ++i) sum += std::abs(a.Pixels[i] - b.Pixels[i]);
  return sum / static_cast<double>(a.Pixels.size());
}

std::vector<std::uint8_t> At(const TImage& image, int x, int y) {
  const std::uint8_t* p = &image.Pixels[(static_cast<std::size_t>(y) * image.Width + x) * image.Channels];
  return {p[0], p[1], p[2], 255};
}
}  // namespace

TEST(RenderScale, TheFrameFitsTheScreenItIsDrawnFor) {
  struct TCase {
    int Width, Height, FrameWidth, FrameHeight;
  };
  for (const TCase& c : {TCase{1920, 1080, 1440, 1080}, {3840, 2160, 2880, 2160}, {2400, 1800, 2400, 1800},
                         {1000, 700, 933, 700}, {1080, 1920, 1080, 810}, {640, 480, 640, 480}}) {
    const TRenderScale s = RenderScaleOf(FittingScale(800, 600, c.Width, c.Height), 800, 600);
    EXPECT_EQ(s.Width, c.FrameWidth) << c.Width << "x" << c.Height;
    EXPECT_EQ(s.Height, c.FrameHeight) << c.Width << "x" << c.Height;
  }
  EXPECT_EQ(FittingScale(800, 600, 0, 0), 1) << "a drawable with no size yet";
}

TEST(RenderScale, PixelsMultiplyUnderTheSameUnits) {
  TTempDir dir(true);
  WriteDemoMedia(dir / "data", OneSecondPatterns());
  TFakeCounter counter(1000000);
  ASSERT_TRUE(DemoStartup(AtScale(2)));
  EXPECT_EQ(CurrentWindow.Width, 800) << "the scenes' and overlays' units stay";
  EXPECT_EQ(CurrentWindow.Height, 600);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1600);
  EXPECT_EQ(viewport[3], 1200);

  // The picture scene's square, and its texture, twice as large.
  GLint side = 0;
  glBindTexture(GL_TEXTURE_2D, Scenes().Picture.SmearTexture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &side);
  EXPECT_EQ(side, 1024);
  BeginRenderToTexture(512);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1024);
  EndRenderToTexture(Scenes().Picture.SmearTexture, 512);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1600) << "back to the whole frame in pixels";
  EXPECT_EQ(viewport[3], 1200);

  SetLineWidth(1);
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 2) << "a strand keeps its look";

  // The still, 800x600 units, covers every pixel of the larger frame.
  TFakeCounter::SetSeconds(1.5);
  DemoRenderFrame();
  const TImage frame = ReadWholeFrame();
  ASSERT_EQ(frame.Width, 1600);
  for (auto [x, y] : {std::pair{0, 0}, {1599, 1199}, {0, 1199}, {1599, 0}, {800, 600}})
    EXPECT_TRUE(PixelNear(At(frame, x, y), VellColor)) << x << ", " << y << ": " << Rgb(At(frame, x, y));
  DemoShutdown();
}

TEST(RenderScale, AMultisampledFrameIsResolvedBeforeThePictureScenesCopy) {
  TTempDir dir(true);
  WriteDemoMedia(dir / "data", OneSecondPatterns());
  TFakeCounter counter(1000000);
  // Pattern 2: the strip drawn into the square and copied into a texture.
  ASSERT_TRUE(DemoStartup(AtScale(1)));
  TFakeCounter::SetSeconds(2.5);
  DemoRenderFrame();
  const TImage plain = ReadWholeFrame();
  DemoShutdown();

  TFakeCounter::SetSeconds(0);  // the clock starts at the counter's reading
  ASSERT_TRUE(DemoStartup(AtScale(1, 4)));
  if (DisplayFrameSamples() < 2) GTEST_SKIP() << "the GL offers no multisampling";
  TFakeCounter::SetSeconds(2.5);
  DemoRenderFrame();  // a copy from unresolved samples is a GL error
  const TImage sampled = ReadWholeFrame();
  DemoShutdown();
  // Flat pictures on whole-frame quads: multisampling changes no pixel.
  EXPECT_LT(MeanDifference(plain, sampled), 0.5);
  EXPECT_TRUE(PixelNear(At(sampled, 400, 100), PictureColor)) << Rgb(At(sampled, 400, 100));
  EXPECT_FALSE(PixelNear(At(sampled, 400, 580), PictureColor)) << "the strip is there";
}

TEST(RenderScale, CaptureDrawsAWideSizeBetweenBlackBars) {
  TTempDir dir;
  WriteDemoMedia(dir / "data", OneSecondPatterns());
  TCaptureOptions o;
  o.DataDir = dir.Path().string();
  o.Fps = 10;
  o.Width = 1280;
  o.Height = 720;
  o.SizeGiven = true;
  o.Stills = {{1.5, (dir / "wide.png").string()}};
  TCaptureReport report;
  ASSERT_EQ(RunCapture(o, report), TCaptureStatus::Done);
  TImage still;
  std::string error;
  ASSERT_TRUE(ReadPng((dir / "wide.png").string(), still, error)) << error;
  ASSERT_EQ(still.Width, 1280);
  ASSERT_EQ(still.Height, 720);
  // 960x720 drawn, 160 columns of bar on either side.
  for (int x : {0, 159, 1120, 1279}) EXPECT_EQ(At(still, x, 360)[0] + At(still, x, 360)[1], 0) << x;
  for (int x : {160, 640, 1119}) EXPECT_TRUE(PixelNear(At(still, x, 360), VellColor)) << x;
}

#ifdef MEDIA_DATA_DIR
// One moment of every scene of the generated demo, drawn at scales 2 and 3
// and box-filtered down, against the frame drawn at scale 1.
TEST(RenderScale, TheSamePictureOnlySharper) {
  constexpr double Tolerance = 5;  // mean difference per channel, of 255
  std::vector<double> times;
  {
    TSync track;
    track.LoadFromFile(std::string(MEDIA_DATA_DIR) + "/test.snc");
    for (const TDemoScene& scene : DemoScenes) {
      const TTimeSpan span = SceneSpan(track, scene);
      times.push_back(std::floor(span.Begin + (span.End - span.Begin) * 0.6));
    }
  }
  TTempDir out;
  auto stillsAt = [&](int width, int height) {
    TCaptureOptions o;
    o.DataDir = std::filesystem::path(MEDIA_DATA_DIR).parent_path().string();
    o.Fps = 2;  // the scenes' state depends on the frame rate, the same for every scale
    o.Width = width;
    o.Height = height;
    o.SizeGiven = true;
    for (double t : times) o.Stills.push_back({t, (out / (std::to_string(width) + "-" + std::to_string(t) + ".png")).string()});
    TCaptureReport report;
    EXPECT_EQ(RunCapture(o, report), TCaptureStatus::Done);
    std::vector<TImage> stills;
    for (const TStillRequest& s : o.Stills) {
      TImage image;
      std::string error;
      EXPECT_TRUE(ReadPng(s.File, image, error)) << error;
      stills.push_back(Resize(image, 800, 600));  // area means: a box filter at 2 and 3
    }
    return stills;
  };
  const std::vector<TImage> one = stillsAt(800, 600), two = stillsAt(1600, 1200), three = stillsAt(2400, 1800);
  ASSERT_EQ(one.size(), times.size());
  for (std::size_t i = 0; i < times.size(); ++i) {
    const double at2 = MeanDifference(one[i], two[i]), at3 = MeanDifference(one[i], three[i]);
    std::printf("%-8s %6.1f s: mean difference at scale 2 %.2f, at scale 3 %.2f\n", DemoScenes[i].Name, times[i],
                at2, at3);
    EXPECT_LT(at2, Tolerance) << DemoScenes[i].Name;
    EXPECT_LT(at3, Tolerance) << DemoScenes[i].Name;
  }
}
#endif
