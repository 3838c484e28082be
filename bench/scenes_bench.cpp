// scenes_bench: draws every scene of the demo for a few hundred frames,
// offscreen and without encoding, and prints each scene's median and
// 99th-percentile frame time. A frame is timed from the start of drawing to
// the end of presenting, with the GL work finished.
//   scenes_bench [--data DIR] [--frames N] [--scene NAME] [--scale K] [--msaa N]
// --scene draws only that scene (to profile it); --scale draws the frame at
// K pixels a unit (800K x 600K), --msaa with N samples. Then each scene's state is
// stepped through 60 s of 60 Hz frames without drawing, as a seek would.
#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchDemo.h"
#include "driver/DemoScenes.h"
#include "driver/FrameStats.h"
#include "driver/QRN2Base.h"
#include "engine/GLQueries.h"
#include "engine/RenderScale.h"
#include "platform/Display.h"
#include "sync/Sync.h"
#include "frames/FrameClock.h"

namespace {
// One frame at demo time t; its wall time in milliseconds, or -1 when the
// frame fell outside the scene's patterns.
double TimedFrame(double t, const TDemoScene& scene) {
  SetClockToSeconds(t);
  const auto began = std::chrono::steady_clock::now();
  DemoRenderFrame();
  FinishDrawing();
  DemoEndFrame();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
  const int p = Driver.Track.Pattern;
  return p >= scene.FirstPattern && p <= scene.LastPattern ? ms : -1;
}

// Milliseconds to step the scene's state through a minute of frames.
double StepMinute(const TDemoScene& scene, double begin) {
  ResetScenes();
  const auto began = std::chrono::steady_clock::now();
  for (int k = 0; k < 3600; ++k) StepScene(scene.Id, static_cast<float>(begin + k / 60.0), 1 / 60.0f);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
}
}  // namespace

int main(int argc, char** argv) {
  std::string dir = ".";
  int frames = 300;
  std::string only, scaleText = "1";
  int msaa = 0;
  if (!ParseBenchArgs(argc, argv, "scenes_bench", dir,
                      {{"--frames", 1, 100000, &frames},
                       {"--scene", 0, 0, nullptr, &only},
                       {"--scale", 0, 0, nullptr, &scaleText},
                       {"--msaa", 0, 8, &msaa}}))
    return 2;
  char* end = nullptr;
  const double scale = std::strtod(scaleText.c_str(), &end);
  if (*end != '\0' || !(scale >= SmallestRenderScale && scale <= LargestRenderScale)) {
    std::fprintf(stderr, "scenes_bench: --scale takes a number from %g to %g, not %s\n", SmallestRenderScale,
                 LargestRenderScale, scaleText.c_str());
    return 2;
  }
  if (!only.empty() && std::none_of(std::begin(DemoScenes), std::end(DemoScenes),
                                    [&](const TDemoScene& s) { return only == s.Name; })) {
    std::fprintf(stderr, "scenes_bench: no scene named %s\n", only.c_str());
    return 2;
  }
  if (!StartBenchDemo("scenes_bench", dir, scale, msaa)) return 1;
  const TRenderScale& drawn = CurrentRenderScale();
  std::printf("Renderer: %s, %d frames per scene, %dx%d (scale %g, %d samples)\n", RendererName(), frames,
              drawn.Width, drawn.Height, drawn.Scale, DisplayFrameSamples());
  std::printf("%-8s %-9s %7s %11s %11s %10s\n", "scene", "patterns", "frames", "median ms", "p99 ms", "median fps");
  for (const TDemoScene& scene : DemoScenes) {
    if (!only.empty() && only != scene.Name) continue;
    char patterns[16];
    std::snprintf(patterns, sizeof patterns, scene.FirstPattern == scene.LastPattern ? "%d" : "%d-%d",
                  scene.FirstPattern, scene.LastPattern);
    const TTimeSpan span = SceneSpan(Driver.Track, scene);
    std::vector<double> times;
    for (int i = 0; i < frames && span.End > span.Begin && DemoContinues(); ++i) {
      // Spread over the whole scene, away from the patterns' edges.
      const double ms = TimedFrame(span.Begin + (i + 0.5) * (span.End - span.Begin) / frames, scene);
      if (ms >= 0) times.push_back(ms);
    }
    if (times.empty()) {
      std::printf("%-8s %-9s %7s  (not reached: the sync track holds before it)\n", scene.Name, patterns, "0");
      continue;
    }
    const double median = Percentile(times, 50), p99 = Percentile(times, 99);
    std::printf("%-8s %-9s %7zu %11.2f %11.2f %10.1f\n", scene.Name, patterns, times.size(), median, p99,
                1000.0 / median);
  }
  std::printf("\nstepping 60 s at 60 Hz without drawing:\n");
  for (const TDemoScene& scene : DemoScenes)
    if (only.empty() || only == scene.Name)
      std::printf("%-8s %8.1f ms\n", scene.Name, StepMinute(scene, SceneSpan(Driver.Track, scene).Begin));
  EndBenchDemo();
  return 0;
}
