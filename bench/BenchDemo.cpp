#include "bench/BenchDemo.h"

#include <cstdlib>

#include "driver/QRN2Base.h"
#include "platform/Files.h"
#include "platform/Message.h"
#include "tools/capture/DemoSetup.h"
#include "tools/capture/FrameClock.h"

bool ParseBenchArgs(int argc, char** argv, const char* tool, std::string& dir, const TBenchOption& option) {
  auto usage = [&](const std::string& error) {
    ShowMessage(tool, error + " (usage: " + tool + " [--data DIR] [" + option.Name + " N])");
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return usage("unknown option or missing value: " + a);
    if (a == "--data") {
      dir = argv[++i];
    } else if (a == option.Name) {
      const int n = std::atoi(argv[++i]);
      if (n < option.Min || n > option.Max)
        return usage(a + " takes " + std::to_string(option.Min) + " to " + std::to_string(option.Max));
      *option.Value = n;
    } else {
      return usage("unknown option: " + a);
    }
  }
  return true;
}

bool StartBenchDemo(const char* tool, const std::string& dir) {
  UseHeadlessDrivers();
  std::string error;
  if (!EnterDemoDirectory(dir, error)) {
    ShowMessage(tool, error);
    return false;
  }
  InstallFrameClock();
  try {
    if (DemoStartup()) return true;
    ShowMessage(tool, "The demo could not open its offscreen window");
  } catch (const EInOutError& e) {
    ShowMessage("Error", e.what());
  }
  RemoveFrameClock();
  return false;
}

void EndBenchDemo() {
  DemoShutdown();
  RemoveFrameClock();
}
