// A seek lands on the picture a run from the start shows at that time: from
// every scene of the generated demo into every other, the frame after the
// seek against capture's frame of the same time (the track scaled to 15 s so
// that capture runs at the 60 frames a second the seek steps the scenes at).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/DemoScenes.h"
#include "driver/QRN2Base.h"
#include "engine/RenderScale.h"
#include "frames/FrameClock.h"
#include "frames/FrameImage.h"
#include "frames/PngFile.h"
#include "support/TestSupport.h"
#include "tools/capture/CaptureSession.h"

#ifdef MEDIA_DATA_DIR
namespace {
double MeanDifference(const TImage& a, const TImage& b) {
  if (a.Pixels.size() != b.Pixels.size() || a.Pixels.empty()) return 255;
  double sum = 0;
  for (std::size_t i = 0; i < a.Pixels.size(); ++i) sum += std::abs(a.Pixels[i] - b.Pixels[i]);
  return sum / static_cast<double>(a.Pixels.size());
}
}  // namespace

TEST(Seek, EverySceneIntoEveryOtherLandsOnTheRunsPicture) {
  namespace fs = std::filesystem;
  TTempDir dir(true);
  fs::copy(MEDIA_DATA_DIR, dir / "data", fs::copy_options::recursive);
  TSync track;
  track.LoadFromFile((dir / "data/test.snc").string());
  std::vector<float> ends(track.PatternEnds, track.PatternEnds + FinalePattern + 1);
  for (float& e : ends) e *= 15.0f / ends.back();
  WriteBytes(dir / "data/test.snc", SyncBytes(ends));
  track.LoadFromFile((dir / "data/test.snc").string());

  std::vector<double> times;
  TCaptureOptions capture;
  capture.DataDir = dir.Path().string();
  capture.Mute = true;
  for (const TDemoScene& scene : DemoScenes) {
    const TTimeSpan span = SceneSpan(track, scene);
    // A moment on a frame of the run, well inside the scene.
    times.push_back(std::round((span.Begin + (span.End - span.Begin) * 0.6) * 60) / 60);
    capture.Stills.push_back({times.back(), (dir / (std::string(scene.Name) + ".png")).string()});
  }
  TCaptureReport report;
  ASSERT_EQ(RunCapture(capture, report), TCaptureStatus::Done);
  std::vector<TImage> run;
  for (const TStillRequest& still : capture.Stills) {
    TImage image;
    std::string error;
    ASSERT_TRUE(ReadPng(still.File, image, error)) << error;
    run.push_back(image);
  }

  InstallFrameClock();
  TDemoOptions options;
  options.Mute = true;
  UseFrameSizedWindow(options, 1);
  ASSERT_TRUE(DemoStartup(options));
  auto frameAt = [&](double time) {
    SkipTo(static_cast<float>(time));
    DemoRenderFrame();
    TImage frame;
    ReadFrame(CurrentRenderScale().Width, CurrentRenderScale().Height, frame);
    return DropAlpha(frame);
  };
  for (std::size_t from = 0; from < times.size(); ++from)
    for (std::size_t to = 0; to < times.size(); ++to) {
      if (from == to) continue;
      frameAt(times[from]);
      const double difference = MeanDifference(frameAt(times[to]), run[to]);
      EXPECT_LE(difference, 2.0) << DemoScenes[from].Name << " into " << DemoScenes[to].Name;
    }
  DemoShutdown();
  RemoveFrameClock();
}
#endif
