#include "bench/BenchDemo.h"

#include <cstdlib>

#include "driver/QRN2Base.h"
#include "engine/TextureUploads.h"
#include "platform/Files.h"
#include "platform/Message.h"
#include "tools/capture/DemoSetup.h"
#include "frames/FrameClock.h"

bool ParseBenchArgs(int argc, char** argv, const char* tool, std::string& dir,
                    std::initializer_list<TBenchOption> options) {
  std::string usageText = std::string(tool) + " [--data DIR]";
  for (const TBenchOption& o : options) usageText += std::string(" [") + o.Name + (o.Text ? " NAME]" : " N]");
  auto usage = [&](const std::string& error) {
    ShowMessage(tool, error + " (usage: " + usageText + ")");
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return usage("unknown option or missing value: " + a);
    if (a == "--data") {
      dir = argv[++i];
      continue;
    }
    const TBenchOption* option = nullptr;
    for (const TBenchOption& o : options)
      if (a == o.Name) option = &o;
    if (!option) return usage("unknown option: " + a);
    if (option->Text) {
      *option->Text = argv[++i];
      continue;
    }
    const int n = std::atoi(argv[++i]);
    if (n < option->Min || n > option->Max)
      return usage(a + " takes " + std::to_string(option->Min) + " to " + std::to_string(option->Max));
    *option->Value = n;
  }
  return true;
}

bool StartBenchDemo(const char* tool, const std::string& dir, double scale, int samples) {
  UseHeadlessDrivers();
  std::string error;
  if (!EnterDemoDirectory(dir, error)) {
    ShowMessage(tool, error);
    return false;
  }
  InstallFrameClock();
  try {
    TDemoOptions quiet;  // the frames the capture tool draws: no mixer allowance in the clock
    quiet.Mute = true;
    UseFrameSizedWindow(quiet, scale);
    quiet.Msaa = samples;
    if (DemoStartup(quiet)) {
      UploadAllTextures();  // the benchmarks time the scenes, not the start-up's tail
      return true;
    }
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
