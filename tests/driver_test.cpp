// The driver's start-up, frame and schedule, run offscreen on a clock the
// test drives.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "driver/QRN2Base.h"
#include "engine/Quarn2.h"
#include "platform/Files.h"
#include "platform/QuarnBASS.h"
#include "scenes/Lakris.h"
#include "scenes/Wombat.h"
#include "support/SceneMedia.h"
#include "support/TestSupport.h"
#include "sync/Sync.h"

namespace {
void Frame() {
  DemoRenderFrame();
  DemoEndFrame();
}
}  // namespace

TEST(Driver, StartupReadsTheTrackFromDataAndCopiesPatternSixEnd) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  EXPECT_EQ(std::filesystem::current_path(), dir.Path() / "data");
  EXPECT_FLOAT_EQ(Driver.LakrisStart, 7.0f);
  EXPECT_EQ(Driver.Track.Pattern, 0);
  EXPECT_EQ(Driver.MusicSample, -1) << "no music.mp3: the demo runs silent";
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[3], 1.0f) << "opaque black replaces the window's clear colour";
  EXPECT_FLOAT_EQ(clear[2], 0.0f);
}

TEST(Driver, WithoutDataDirectoryMediaComeFromTheLaunchDirectory) {
  TTempDir dir(true);
  WriteDemoModels(dir.Path());
  WriteBytes(dir / "test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  EXPECT_FLOAT_EQ(Driver.Track.PatternEnds[18], 19.0f);
}

TEST(Driver, MissingTrackRaisesCannotOpenFile) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  TFakeCounter counter(1000);
  try {
    DemoStartup();
    FAIL() << "start-up went on without test.snc";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file test.snc");
  }
}

TEST(Driver, ClockIsReadOnceAtTheStartOfEveryFrame) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  TFakeCounter::Set(50000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Advance(250);
  Frame();
  EXPECT_FLOAT_EQ(Driver.Time, 0.25f);
  EXPECT_FLOAT_EQ(Driver.FrameTime, 0.25f);
  TFakeCounter::Advance(100);
  Frame();
  EXPECT_FLOAT_EQ(Driver.Time, 0.35f);
  EXPECT_FLOAT_EQ(Driver.FrameTime, 0.1f);
}

// The unseen draws before the clock visit the offscreen frame and end in
// the window's own: no GL error, the window's back buffer drawn into, every
// scene's time known for the lead, and the run starting at its beginning.
TEST(Driver, ScenesDrawnFirstLeaveTheWindowsTargetAndNoGLError) {
  TTempDir dir(true);
  WriteDemoMedia(dir / "data", OneSecondPatterns());
  TFakeCounter counter(1000);
  TDemoOptions options;
  options.DrawScenesFirst = true;
  while (glGetError() != GL_NO_ERROR) {
  }
  ASSERT_TRUE(DemoStartup(options));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  GLint framebuffer = -1, drawBuffer = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  EXPECT_EQ(framebuffer, 0);
  EXPECT_EQ(drawBuffer, GL_BACK);
  for (const TDemoScene& scene : DemoScenes) EXPECT_GT(Driver.Lead.SceneDraw[&scene - DemoScenes], 0.0);
  EXPECT_EQ(Driver.Track.Pattern, 0);
  EXPECT_FLOAT_EQ(Driver.Time, 0.0f);
  Frame();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  DemoShutdown();
}

TEST(Driver, WithMusicTheClockHoldsAtZeroUntilTheMusicIsHeard) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  WriteWav(dir / "data/music.mp3", 0.5);  // not MP3: read as the WAV it is
  TFakeCounter counter(1000000);
  for (const bool mute : {false, true}) {
    TDemoOptions options;
    options.Mute = mute;
    ASSERT_TRUE(DemoStartup(options));
    ASSERT_GE(Driver.MusicSample, 0);
    Frame();
    EXPECT_FLOAT_EQ(Driver.Time, 0.0f) << (mute ? "muted" : "with music");
    // What the mixer takes next is heard after the buffer playing now: one
    // to two buffers from now, as far as the last hand-over lies behind.
    if (!mute) {
      EXPECT_LE(ClockNow(), -MixerBufferFrames / 44100.0f);
      EXPECT_GE(ClockNow(), -2.0f * MixerBufferFrames / 44100 - 1e-6f);
    }
    DemoShutdown();
  }
}

TEST(Driver, LongStallSkipsPatternsAndTheScheduleFollows) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Advance(5500);  // a slow first frame
  Frame();
  EXPECT_EQ(Driver.Track.Pattern, 5);
  EXPECT_TRUE(DemoContinues());
}

TEST(Driver, StallDrawsTheSceneOfThePatternItLandsIn) {
  TDemoRun run;
  ASSERT_TRUE(run.Started());
  run.Draw(12.5);  // straight from the start into pattern 12, the landscape
  EXPECT_EQ(Driver.Track.Pattern, 12);
  EXPECT_TRUE(PixelNear(ReadPixel(790, 590), {51, 51, 255})) << "the sky: " << Rgb(ReadPixel(790, 590));
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[2], 1.0f) << "the landscape's own clear colour";
}

TEST(Driver, MissingModelEndsStartUpWithItsName) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  std::filesystem::remove(dir / "data/land.3ds");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  try {
    DemoStartup();
    FAIL() << "start-up went on without land.3ds";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file land.3ds");
  }
}

TEST(Driver, PatternEighteenSetsFinaleAndBlackInEveryFrame) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Set(18500);
  Frame();
  EXPECT_EQ(Driver.Track.Pattern, 18);
  for (int i = 0; i < 2; ++i) {
    glClearColor(0, 0, 1, 1);  // as the landscape leaves it
    TFakeCounter::Advance(100);
    Frame();
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[2], 0.0f);
    EXPECT_FLOAT_EQ(clear[3], 1.0f);
  }
}

TEST(Driver, LoopEndsRightAfterTheFirstFramePastPatternEighteen) {
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Set(18900);
  Frame();
  EXPECT_TRUE(DemoContinues());
  TFakeCounter::Advance(200);
  Frame();
  EXPECT_EQ(Driver.Track.Pattern, 19);
  EXPECT_FALSE(DemoContinues());
}

TEST(Driver, WholeProgramRunsToTheEndOnAMovingClock) {
  TTempDir dir(true);
  WriteDemoMedia(dir / "data", OneSecondPatterns());
  TFakeCounter counter(1000);
  TFakeCounter::SetStepPerRead(7);  // every clock reading moves 7 ms on
  TMessageCapture messages;
  EXPECT_EQ(DemoMain(), 0);
  EXPECT_EQ(Driver.Track.Pattern, 19);
  EXPECT_TRUE(messages.Messages().empty()) << messages.Messages()[0].second;
}

TEST(Driver, TimeupIsDrawnInExactlyOneFrameAndItIsTheLast) {
  TDemoRun run;
  ASSERT_TRUE(run.Started());
  int frames = 0, timeupFrames = 0;
  bool timeupLast = false;
  for (int k = 0; DemoContinues(); ++k) {
    ASSERT_LT(k, 300) << "the demo did not end";
    run.Draw(0.05 + 0.1 * k);
    const bool timeup = PixelNear(ReadPixel(400, 300), TimeupColor) && PixelNear(ReadPixel(5, 5), TimeupColor);
    timeupFrames += timeup;
    timeupLast = timeup;
    ++frames;
    DemoEndFrame();
  }
  EXPECT_EQ(timeupFrames, 1);
  EXPECT_TRUE(timeupLast);
  EXPECT_EQ(frames, 191);
}

TEST(Driver, ZeroEntryHoldsThePatternAndTheDemoRunsOn) {
  TTempDir dir(true);
  auto ends = OneSecondPatterns();
  ends[3] = 0.0f;
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(ends));
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Set(1000000);
  Frame();
  EXPECT_EQ(Driver.Track.Pattern, 3);
  EXPECT_TRUE(DemoContinues());
}

TEST(Driver, FailedWindowIsReportedAndEndsTheProgramWithStatusOne) {
  setenv("SDL_VIDEODRIVER", "no-such-display", 1);
  TTempDir dir(true);
  WriteDemoModels(dir / "data");
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TMessageCapture capture;
  EXPECT_EQ(DemoMain(), 1);
  ASSERT_EQ(capture.Messages().size(), 1u);
  EXPECT_EQ(capture.Messages()[0].first, "Error");
  EXPECT_EQ(capture.Messages()[0].second, "Failed to register the window class!");
  EXPECT_FALSE(WindowOpened(Driver.Window));
}
