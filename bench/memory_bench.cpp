// memory_bench: resident memory of the demo across its whole run, drawn
// headless on a fixed clock at a chosen frame rate. Prints the resident size
// after start-up, at the first and the last frame of every scene, the peak,
// and how much it grew over the second half of the frames. Run it at two
// frame rates: the same figures for six times the frames mean nothing grows
// per frame. Run in the folder that holds data/.
//   memory_bench [--data DIR] [--fps N]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchDemo.h"
#include "driver/QRN2Base.h"
#include "sync/Sync.h"
#include "driver/DemoScenes.h"
#include "frames/FrameClock.h"

namespace {
// Resident memory of this process now, in MiB.
double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long total = 0, resident = 0;
  statm >> total >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

const char* SceneOf(int pattern) {
  const TDemoScene* scene = SceneOfPattern(pattern);
  return scene ? scene->Name : "end";
}
}  // namespace

int main(int argc, char** argv) {
  std::string dir = ".";
  int fps = 30;
  if (!ParseBenchArgs(argc, argv, "memory_bench", dir, {{"--fps", 1, 1000, &fps}})) return 2;
  const double beforeStart = ResidentMiB();
  if (!StartBenchDemo("memory_bench", dir)) return 1;
  const double started = ResidentMiB();
  std::printf("%d fps; resident before start-up %.1f MiB, after %.1f MiB\n", fps, beforeStart, started);
  std::printf("%-8s %8s %12s %12s\n", "scene", "frames", "first MiB", "last MiB");

  std::vector<double> rss;
  const char* scene = nullptr;
  long long sceneFrames = 0;
  double sceneFirst = 0;
  const long long limit = 1000LL * fps;  // a track that never ends stops here
  for (long long k = 0; DemoContinues() && k < limit; ++k) {
    SetClockToFrame(k, fps);
    DemoRenderFrame();
    DemoEndFrame();
    rss.push_back(ResidentMiB());
    const char* now = SceneOf(Driver.Track.Pattern);
    if (now != scene) {
      if (scene) std::printf("%-8s %8lld %12.1f %12.1f\n", scene, sceneFrames, sceneFirst, rss[rss.size() - 2]);
      scene = now;
      sceneFrames = 0;
      sceneFirst = rss.back();
    }
    ++sceneFrames;
  }
  if (scene) std::printf("%-8s %8lld %12.1f %12.1f\n", scene, sceneFrames, sceneFirst, rss.back());
  if (rss.empty()) return 1;
  const std::size_t half = rss.size() / 2;
  const double firstHalfPeak = *std::max_element(rss.begin(), rss.begin() + static_cast<long>(half) + 1);
  const double peak = std::max(started, *std::max_element(rss.begin(), rss.end()));
  std::printf("%zu frames; peak %.1f MiB; at the end %.1f MiB; second half above the first half's peak by %.1f MiB\n",
              rss.size(), peak, rss.back(), *std::max_element(rss.begin() + static_cast<long>(half), rss.end()) - firstHalfPeak);
  EndBenchDemo();
  return 0;
}
