// DemoSetup: headless drivers, the demo's directory, the demo's end.
#include "tools/capture/DemoSetup.h"

#include <cmath>
#include <filesystem>

#include "driver/DemoScenes.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "sync/QTimer.h"
#include "frames/FrameClock.h"

void UseHeadlessDrivers() {
  SetEnvironment("SDL_VIDEODRIVER", "offscreen");
  SetEnvironment("SDL_AUDIODRIVER", "dummy");
  SetEnvironment("DEMO_MESSAGES", "stderr");
}

bool EnterDemoDirectory(const std::string& dir, std::string& error) {
  if (!ChangeDirectory(dir)) {
    error = "Cannot enter the data directory " + dir;
    return false;
  }
  // The driver enters data/ itself, and looks in the directory when there is none.
  if (!std::filesystem::exists(ResolvePath("data\\test.snc")) && !std::filesystem::exists(ResolvePath("test.snc"))) {
    error = "No demo data in " + dir + ": neither data/test.snc nor test.snc is there";
    return false;
  }
  return true;
}

long long LastDemoFrame(const TSync& track, int fps, long long limit) {
  TSync copy = track;
  copy.Start();
  SetClockToFrame(0, fps);
  TQTimer timer;
  timer.Start();
  for (long long k = 0; k <= limit; ++k) {
    SetClockToFrame(k, fps);
    const int pattern = copy.CurrentPattern(timer.Elapsed());
    if (pattern > FinalePattern) return k;
    const float end = copy.PatternEnds[pattern];
    if (end == 0.0f || (end > 0 && std::isinf(end))) return -1;  // held there for good
  }
  return -1;
}
