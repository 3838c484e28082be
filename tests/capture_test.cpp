// The capture run: the demo's frames on a fixed-step clock, offscreen, into
// a video, stills and a contact sheet. The frames here get a pattern of
// their own on top of the demo's, so that every frame differs from the next
// whatever the scenes draw.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "driver/QRN2Base.h"
#include "engine/Quarn2.h"
#include "platform/Display.h"
#include "support/SceneMedia.h"
#include "support/TestSupport.h"
#include "sync/QTimer.h"
#include "sync/Sync.h"
#include "tools/capture/CaptureSession.h"
#include "tools/capture/DemoSetup.h"
#include "frames/FrameClock.h"
#include "frames/PngFile.h"

namespace fs = std::filesystem;

namespace {
constexpr int Fps = 10;

struct TSeenFrame {
  float Time, Step;
  int Pattern;
};
std::vector<TSeenFrame> Seen;
int QuitAtFrame = -1;

// Frame k: a background colour from k, and a white box on the top row of
// the picture whose place moves with k.
std::uint8_t Red(int k) { return static_cast<std::uint8_t>(40 + 9 * k); }
std::uint8_t Green(int k) { return static_cast<std::uint8_t>(200 - 7 * k); }

void MarkedFrame() {
  DemoRenderFrame();
  Seen.push_back({Driver.Time, Driver.FrameTime, Driver.Track.Pattern});
  const int k = static_cast<int>(std::lround(Driver.Time * Fps));
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 800, 600);
  glClearColor(Red(k) / 255.0f, Green(k) / 255.0f, 0.5f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glScissor(20 * k, 590, 10, 10);  // GL counts rows from the bottom
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  if (static_cast<int>(Seen.size()) - 1 == QuitAtFrame) DisplayRequestQuit();
}

// A demo directory whose pattern i ends at (i + 1) / 10 s: it ends at 1.9 s.
struct TDemoDir {
  TTempDir Dir;
  TDemoDir(float step = 0.1f) {
    std::vector<float> ends;
    for (int i = 1; i <= 19; ++i) ends.push_back(step * i);
    WriteBytes(Dir / "data/test.snc", SyncBytes(ends));
    WriteDemoModels(Dir / "data");
  }
  std::string operator/(const std::string& name) const { return (Dir / name).string(); }
};

TCaptureOptions Options(const TDemoDir& demo) {
  TCaptureOptions o;
  o.DataDir = demo.Dir.Path().string();
  o.Fps = Fps;
  return o;
}

bool HaveFfmpeg() { return std::system("ffmpeg -version >/dev/null 2>&1") == 0; }

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
}  // namespace

TEST(FrameClock, TimerReadsFrameTimesExactlyForAnHour) {
  InstallFrameClock();
  for (int fps : {24, 25, 30, 50, 60}) {
    TQTimer timer;
    SetClockToFrame(0, fps);
    timer.Start();
    long long wrongTime = 0, wrongStep = 0;
    for (long long k = 1; k <= 3600LL * fps; ++k) {
      SetClockToFrame(k, fps);
      const float t = timer.Elapsed();
      wrongTime += t != static_cast<float>(static_cast<double>(k) / fps);
      wrongStep += timer.Delta != static_cast<float>(1.0 / fps);
    }
    EXPECT_EQ(wrongTime, 0) << fps << " fps: Driver.Time is k / fps rounded once, without drift";
    EXPECT_EQ(wrongStep, 0) << fps << " fps: Driver.FrameTime is 1 / fps in every frame";
  }
  RemoveFrameClock();
}

TEST(FrameClock, DemoEndsOnTheFrameThatPassesPatternEighteen) {
  TSync track;
  for (int i = 0; i < 19; ++i) track.PatternEnds[i] = 0.1f * (i + 1);
  InstallFrameClock();
  // Pattern 18 ends at 1.9 s: the frame at 1.9 s still shows it.
  EXPECT_EQ(LastDemoFrame(track, 10, 1000), 20);
  EXPECT_EQ(LastDemoFrame(track, 60, 100000), 115);
  EXPECT_EQ(LastDemoFrame(track, 10, 15), -1) << "not within the limit";
  track.PatternEnds[7] = 0;
  EXPECT_EQ(LastDemoFrame(track, 10, 100000), -1) << "a zero entry holds the demo for good";
  track.PatternEnds[7] = INFINITY;
  EXPECT_EQ(LastDemoFrame(track, 10, 100000), -1);
  RemoveFrameClock();
}

TEST(Capture, FramesReadTheirClockValuesAndTheRunEndsWithTheTimeupFrame) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "no ffmpeg";
  TDemoDir demo;
  // With music the demo's own clock allows for a sound card's buffer; the
  // capture's must not.
  WriteWav(demo / "data/music.mp3", 2.5);
  TCaptureOptions o = Options(demo);
  o.Video = demo / "out.mkv";
  o.Codec = TVideoCodec::FFV1;
  TCaptureReport report;
  ASSERT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Done);
  EXPECT_EQ(report.DemoLast, 20);
  EXPECT_EQ(report.FramesDrawn, 21);
  ASSERT_EQ(Seen.size(), 21u);
  EXPECT_EQ(Seen[0].Time, 0.0f);
  EXPECT_EQ(Seen[0].Step, 0.0f) << "the first frame follows the timer's start at once";
  for (std::size_t k = 1; k < Seen.size(); ++k) {
    EXPECT_EQ(Seen[k].Time, static_cast<float>(k / 10.0)) << k;
    EXPECT_EQ(Seen[k].Step, 0.1f) << k;
  }
  EXPECT_EQ(Seen[19].Pattern, 18);
  EXPECT_EQ(Seen[20].Pattern, 19) << "the one timeup frame is in the video";
  EXPECT_FALSE(DemoContinues());
  EXPECT_EQ(FilesIn(demo.Dir.Path()), (std::vector<std::string>{"out.mkv"}));
}

TEST(Capture, StillAtATimeEqualsTheVideosFrameAtThatTime) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "no ffmpeg";
  TDemoDir demo;
  TCaptureOptions o = Options(demo);
  o.Video = demo / "out.mkv";
  o.Codec = TVideoCodec::FFV1;
  o.Start = 0.5;
  o.End = 1.5;
  o.Stills = {{1.37, demo / "still.png"}};  // shows frame 13, drawn at 1.3 s
  TCaptureReport report;
  ASSERT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Done);
  EXPECT_EQ(report.VideoFirst, 5);
  EXPECT_EQ(report.VideoLast, 15);
  EXPECT_EQ(Seen.size(), 16u) << "drawn from frame 0, so the scenes' state is the same as in a full run";

  // Frame 13 is the video's frame 8.
  const std::string extract = "ffmpeg -v error -y -i '" + o.Video + "' -vf 'select=eq(n\\,8)' -frames:v 1 '" +
                              (demo / "frame.png") + "'";
  ASSERT_EQ(std::system(extract.c_str()), 0);
  TImage still, frame;
  std::string error;
  ASSERT_TRUE(ReadPng(demo / "still.png", still, error)) << error;
  ASSERT_TRUE(ReadPng(demo / "frame.png", frame, error)) << error;
  ASSERT_EQ(still.Width, 800);
  ASSERT_EQ(still.Height, 600);
  EXPECT_TRUE(still.Pixels == frame.Pixels) << "the lossless video holds the still's very pixels";
  // And it is frame 13, the right way up.
  const std::uint8_t* middle = &still.Pixels[(300 * 800 + 400) * 3];
  EXPECT_EQ(middle[0], Red(13));
  EXPECT_EQ(middle[1], Green(13));
  const std::uint8_t* box = &still.Pixels[(5 * 800 + 20 * 13 + 5) * 3];
  EXPECT_EQ(box[0], 255) << "the box drawn at the top is at the top";
}

TEST(Capture, ContactSheetHoldsTheFramesAtItsTimesInRows) {
  TDemoDir demo;
  TCaptureOptions o = Options(demo);
  o.ContactSheet = demo / "sheet.png";
  o.SheetTimes = {0.3, 0.1, 1.25};
  o.SheetColumns = 2;
  o.TileWidth = 80;
  o.TileHeight = 60;
  TCaptureReport report;
  ASSERT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Done);
  EXPECT_EQ(Seen.size(), 13u) << "drawn up to the last tile's frame, not to the demo's end";
  TImage sheet;
  std::string error;
  ASSERT_TRUE(ReadPng(o.ContactSheet, sheet, error)) << error;
  ASSERT_EQ(sheet.Width, 4 + 2 * 84);
  ASSERT_EQ(sheet.Height, 4 + 2 * 64);
  auto pixel = [&](int x, int y) { return &sheet.Pixels[(static_cast<std::size_t>(y) * sheet.Width + x) * 3]; };
  EXPECT_EQ(pixel(4 + 40, 4 + 40)[0], Red(3));
  EXPECT_EQ(pixel(88 + 40, 4 + 40)[0], Red(1));
  EXPECT_EQ(pixel(4 + 40, 68 + 40)[0], Red(12));
  EXPECT_EQ(pixel(88 + 40, 68 + 40)[0], 0) << "no fourth tile";
  EXPECT_EQ(pixel(1, 1)[0], 0);
}

namespace {
// The capture tool's own messages; the demo's loaders also report the
// pictures these small test directories lack.
std::vector<std::string> ToolMessages(const TMessageCapture& capture) {
  std::vector<std::string> texts;
  for (const auto& [caption, text] : capture.Messages())
    if (caption == "capture") texts.push_back(text);
  return texts;
}
}  // namespace

TEST(Capture, FailedRunLeavesNoFileThatLooksComplete) {
  TDemoDir demo;
  TCaptureOptions o = Options(demo);
  o.Stills = {{0.5, demo / "early.png"}, {5.0, demo / "late.png"}};
  TMessageCapture messages;
  TCaptureReport report;
  EXPECT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Failed);
  ASSERT_EQ(ToolMessages(messages).size(), 1u);
  EXPECT_EQ(ToolMessages(messages)[0],
            "The still " + (demo / "late.png") + " lies past the demo's end at 2.000 s");
  EXPECT_EQ(FilesIn(demo.Dir.Path()), std::vector<std::string>{});
}

TEST(Capture, InterruptedRunWritesNothing) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "no ffmpeg";
  TDemoDir demo;
  TCaptureOptions o = Options(demo);
  o.Video = demo / "out.mp4";
  o.Stills = {{0.1, demo / "early.png"}};
  QuitAtFrame = 4;  // as when the tool gets SIGINT or SIGTERM
  TMessageCapture messages;
  TCaptureReport report;
  EXPECT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Interrupted);
  EXPECT_EQ(report.FramesDrawn, 5);
  ASSERT_FALSE(ToolMessages(messages).empty());
  EXPECT_EQ(ToolMessages(messages).back(), "Interrupted: nothing was written");
  EXPECT_EQ(FilesIn(demo.Dir.Path()), std::vector<std::string>{}) << "no video, no still, no .part";
}

TEST(Capture, EncoderThatFailsFailsTheRun) {
  TDemoDir demo;
  // An "ffmpeg" that writes something and gives up.
  WriteBytes(demo.Dir / "bin/ffmpeg", {});
  {
    std::FILE* f = std::fopen((demo / "bin/ffmpeg").c_str(), "w");
    std::fputs("#!/bin/sh\nfor a; do last=$a; done\necho junk > \"$last\"\nexit 1\n", f);
    std::fclose(f);
  }
  fs::permissions(demo.Dir / "bin/ffmpeg", fs::perms::owner_all);
  setenv("PATH", ((demo / "bin") + ":" + std::getenv("PATH")).c_str(), 1);
  TCaptureOptions o = Options(demo);
  o.Video = demo / "out.mp4";
  TMessageCapture messages;
  TCaptureReport report;
  EXPECT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Failed);
  ASSERT_FALSE(ToolMessages(messages).empty());
  EXPECT_EQ(ToolMessages(messages).front(), "No music.mp3: the video is silent");
  EXPECT_EQ(ToolMessages(messages).back().rfind("The video encoder (ffmpeg) ", 0), 0u)
      << ToolMessages(messages).back();
  EXPECT_FALSE(fs::exists(o.Video));
  EXPECT_FALSE(fs::exists(o.Video + ".part"));
}

TEST(Capture, DemoThatNeverEndsNeedsAnEnd) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "no ffmpeg";
  TDemoDir demo(0);  // every entry zero: pattern 0 for ever
  TCaptureOptions o = Options(demo);
  o.Video = demo / "out.mkv";
  o.Codec = TVideoCodec::FFV1;
  TMessageCapture messages;
  TCaptureReport report;
  EXPECT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Failed);
  ASSERT_EQ(ToolMessages(messages).size(), 1u);
  EXPECT_EQ(ToolMessages(messages)[0],
            "The demo does not end on its own (its sync track holds at one pattern): give --end");
  o.End = 0.35;
  EXPECT_EQ(RunCapture(o, report, MarkedFrame), TCaptureStatus::Done);
  EXPECT_EQ(report.VideoLast, 3);
  EXPECT_TRUE(fs::exists(o.Video));
}
