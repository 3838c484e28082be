#include "driver/FrameStats.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "driver/DemoScenes.h"
#include "platform/Process.h"

namespace {
using TClock = std::chrono::steady_clock;

struct TStats {
  bool On = false;
  TClock::time_point Began, LastPresent;
  double FirstFrameMs = -1;
  std::vector<double> FrameMs[DemoSceneCount];  // time since the previous present
};
TStats Stats;

double Ms(TClock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
}  // namespace

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const std::size_t rank = static_cast<std::size_t>(p / 100.0 * values.size() + 0.999999);
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

void FrameStatsBegin() {
  Stats = TStats{};
  Stats.On = EnvironmentSwitch("DEMO_STATS");
  Stats.Began = TClock::now();
}

void FrameStatsPresented(int pattern) {
  if (!Stats.On) return;
  const TClock::time_point now = TClock::now();
  if (Stats.FirstFrameMs < 0) {
    Stats.FirstFrameMs = Ms(now - Stats.Began);
  } else if (const TDemoScene* scene = SceneOfPattern(pattern)) {
    Stats.FrameMs[scene - DemoScenes].push_back(Ms(now - Stats.LastPresent));
  }
  Stats.LastPresent = now;
}

void FrameStatsReport(std::FILE* out) {
  if (!Stats.On) return;
  std::fprintf(out, "first frame presented %.0f ms after start\n", Stats.FirstFrameMs);
  std::fprintf(out, "%-8s %7s %8s %10s %8s\n", "scene", "frames", "fps", "median ms", "p99 ms");
  for (int i = 0; i < DemoSceneCount; ++i) {
    const std::vector<double>& ms = Stats.FrameMs[i];
    if (ms.empty()) continue;
    double total = 0;
    for (double m : ms) total += m;
    std::fprintf(out, "%-8s %7zu %8.1f %10.2f %8.2f\n", DemoScenes[i].Name, ms.size(), 1000.0 * ms.size() / total,
                 Percentile(ms, 50), Percentile(ms, 99));
  }
}
