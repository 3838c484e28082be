// The scenes' carried state: stepping frames without drawing them, and
// resetting, reach the same picture as drawing every frame; starting later
// and looping build on them.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "driver/QRN2Base.h"
#include "support/SceneMedia.h"

namespace {
// The wombat, the landscape and the finale at 10 frames a second, ending in
// a frame of the finale.
std::vector<double> Times() {
  std::vector<double> times;
  for (int k = 35; k <= 188; ++k) times.push_back(k / 10.0 + 0.05);
  return times;
}

std::vector<std::uint8_t> Picture() {
  std::vector<std::uint8_t> pixels(800 * 600 * 4);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// Every frame but the last only stepped; the last drawn.
void StepThenDraw(TDemoRun& run, const std::vector<double>& times) {
  for (std::size_t i = 0; i + 1 < times.size(); ++i) {
    TFakeCounter::Set(static_cast<std::uint64_t>(std::llround(times[i] * 1e6)));
    DemoStepFrame();
  }
  run.Draw(times.back());
}
}  // namespace

TEST(SceneState, SteppedFramesAndAResetReachTheFramesDrawnOneByOne) {
  const std::vector<double> times = Times();
  std::vector<std::uint8_t> drawn;
  TVertex wombatCamera, lakrisCamera;
  {
    TDemoRun run;
    ASSERT_TRUE(run.Started());
    for (double t : times) run.Frame(t);
    ASSERT_EQ(Driver.Track.Pattern, FinalePattern);
    drawn = Picture();
    wombatCamera = Scenes().Wombat.State.Camera;
    lakrisCamera = Scenes().Lakris.State.Camera;
  }
  TDemoRun run;
  ASSERT_TRUE(run.Started());
  StepThenDraw(run, times);
  EXPECT_EQ(Scenes().Wombat.State.Camera.x, wombatCamera.x);
  EXPECT_EQ(Scenes().Lakris.State.Camera.z, lakrisCamera.z);
  EXPECT_TRUE(Picture() == drawn) << "the finale's frame after stepping differs from the one drawn in turn";

  // Back to the start: the twist, the cameras and the clock begin again.
  ResetScenes();
  TFakeCounter::Set(0);
  Driver.Timer.Start();
  Driver.Track.Start();
  for (const TVertex& angles : Scenes().Wombat.Deform->Buffers[1]) EXPECT_EQ(angles.y, 0.0f);
  StepThenDraw(run, times);
  EXPECT_EQ(Scenes().Lakris.State.Camera.z, lakrisCamera.z);
  EXPECT_TRUE(Picture() == drawn) << "after a reset the same frames give another picture";
}

namespace {
bool StartDemo(const TDemoOptions& options) {
  static TTempDir dir(true);
  WriteDemoMedia(dir / "data", OneSecondPatterns());
  std::filesystem::current_path(dir.Path());
  return DemoStartup(options);
}
}  // namespace

TEST(SceneState, StartingAtAPatternLeavesTheScenesAsAPlayedRunDoes) {
  TVertex played;
  {
    TDemoRun run;
    ASSERT_TRUE(run.Started());
    for (int k = 0; k <= 11 * 60; ++k) run.Frame(k / 60.0);
    played = Scenes().Lakris.State.Camera;
  }
  TFakeCounter counter(1000000);
  TDemoOptions options;
  options.StartPattern = 11;  // pattern 11 begins at 11 s
  ASSERT_TRUE(StartDemo(options));
  TFakeCounter::Set(0);
  DemoRenderFrame();
  EXPECT_EQ(Driver.Track.Pattern, 11);
  EXPECT_NEAR(Driver.Time, 11.0f, 1e-3);
  EXPECT_NEAR(Scenes().Lakris.State.Eye.x, played.x, 1e-2);
  EXPECT_NEAR(Scenes().Lakris.State.Eye.z, played.z, 1e-2);
  DemoShutdown();
}

TEST(SceneState, LoopStartsOverAfterTheLastFrame) {
  TFakeCounter counter(1000000);
  TDemoOptions options;
  options.Loop = true;
  ASSERT_TRUE(StartDemo(options));
  for (double t : {2.5, 12.0, 18.5, 19.5}) {  // the picture, the landscape, the finale, the last frame
    TFakeCounter::SetSeconds(t);
    DemoRenderFrame();
    DemoEndFrame();
  }
  ASSERT_EQ(Driver.Track.Pattern, LastFramePattern);
  EXPECT_TRUE(DemoContinues()) << "looping, the demo goes on";
  EXPECT_EQ(Driver.Track.Pattern, 0);
  EXPECT_EQ(Scenes().Picture.Fade, PictureFadeSeconds);
  EXPECT_EQ(Scenes().Lakris.State.Camera.x, 90);
  TFakeCounter::SetSeconds(19.6);
  DemoRenderFrame();
  EXPECT_NEAR(Driver.Time, 0.1f, 1e-4) << "the clock began again at the last frame";
  DemoShutdown();
}
