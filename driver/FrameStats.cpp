#include "driver/FrameStats.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/DemoScenes.h"
#include "platform/Process.h"
#include "platform/QuarnBASS.h"

namespace {
using TClock = std::chrono::steady_clock;

struct TLoggedFrame {
  std::int64_t PresentedNs;
  float Time;
  int Pattern;
  double ReadAt, Lead;
};

struct TStats {
  bool On = false;
  std::string LogPath;  // DEMO_FRAME_LOG; empty: no log
  TClock::time_point Began, LastPresent;
  double FirstFrameMs = -1;
  std::vector<double> FrameMs[DemoSceneCount];  // time since the previous present
  std::vector<TLoggedFrame> Log;
};
TStats Stats;

double Ms(TClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void WriteLog() {
  if (Stats.LogPath.empty()) return;
  std::FILE* out = std::fopen(Stats.LogPath.c_str(), "w");
  if (!out) {
    std::fprintf(stderr, "DEMO_FRAME_LOG: cannot write %s\n", Stats.LogPath.c_str());
    return;
  }
  for (const TLoggedFrame& f : Stats.Log)
    std::fprintf(out, "%lld %.6f %d %.0f %.6f\n", static_cast<long long>(f.PresentedNs), f.Time, f.Pattern, f.ReadAt * 1e9,
                 f.Lead);
  std::fclose(out);
}
}  // namespace

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const std::size_t rank = static_cast<std::size_t>(p / 100.0 * values.size() + 0.999999);
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

void FrameStatsBegin() {
  Stats = TStats{};
  Stats.On = EnvironmentSwitch("DEMO_STATS");
  if (const char* log = std::getenv("DEMO_FRAME_LOG")) Stats.LogPath = log;
  Stats.Began = TClock::now();
}

void FrameStatsPresented(int pattern, float time, double readAt, double lead) {
  if (!Stats.On && Stats.LogPath.empty()) return;
  const TClock::time_point now = TClock::now();
  if (!Stats.LogPath.empty())
    Stats.Log.push_back(
        {std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count(), time, pattern, readAt, lead});
  if (Stats.FirstFrameMs < 0) {
    Stats.FirstFrameMs = Ms(now - Stats.Began);
  } else if (const TDemoScene* scene = SceneOfPattern(pattern)) {
    Stats.FrameMs[scene - DemoScenes].push_back(Ms(now - Stats.LastPresent));
  }
  Stats.LastPresent = now;
}

void FrameStatsReport(std::FILE* out) {
  WriteLog();
  if (!Stats.On) return;
  std::fprintf(out, "first frame presented %.0f ms after start\n", Stats.FirstFrameMs);
  // A scene's first frame is the one that may have had to wait for what the
  // scene needs; it should be no slower than the scene's 99th percentile.
  std::fprintf(out, "%-8s %7s %8s %10s %8s %9s\n", "scene", "frames", "fps", "median ms", "p99 ms", "first ms");
  for (int i = 0; i < DemoSceneCount; ++i) {
    const std::vector<double>& ms = Stats.FrameMs[i];
    if (ms.empty()) continue;
    double total = 0;
    for (double m : ms) total += m;
    std::fprintf(out, "%-8s %7zu %8.1f %10.2f %8.2f %9.2f\n", DemoScenes[i].Name, ms.size(), 1000.0 * ms.size() / total,
                 Percentile(ms, 50), Percentile(ms, 99), ms.front());
  }
  if (const long underruns = AudioUnderruns(); underruns >= 0)
    std::fprintf(out, "audio: %d-frame mixer buffer, %ld underruns\n", MixerBufferFrames, underruns);
}
