// The demo's entry point: the options, then the program the demo has
// always been.
#include <cstdio>
#include <string>

#include "dev/DevMode.h"
#include "driver/CommandLine.h"
#include "driver/FrameStats.h"
#include "driver/QRN2Base.h"
#include "platform/Display.h"
#include "platform/Files.h"
#include "platform/Memory.h"
#include "platform/Message.h"

namespace {
#ifndef DEMO_SHARE_FROM_BIN
#define DEMO_SHARE_FROM_BIN "../share/quarn2-demo/"
#endif

// Where the start-up's "data" is looked for: the directory given, else the
// working directory when it holds data/, else the program's own directory
// (a build tree run from elsewhere), else the installed media. False when
// --data names no directory.
bool EnterMediaParent(const TDemoOptions& options) {
  if (!options.DataDir.empty()) return ChangeDirectory(options.DataDir);
  const std::string program = ProgramDirectory();
  if (IsDirectory("data") || program.empty()) return true;
  for (const std::string& parent : {program, program + DEMO_SHARE_FROM_BIN}) {
    if (!IsDirectory(parent + "data")) continue;
    ChangeDirectory(parent);  // failing, the media are missing as they would be anyway
    break;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  FrameStatsBegin();
  TDemoOptions options;
  std::string error;
  if (!ParseDemoOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "demo: %s\n%s", error.c_str(), DemoUsage("demo").c_str());
    return 2;
  }
  if (options.Help) {
    std::fputs(DemoUsage("demo").c_str(), stdout);
    return 0;
  }
  if (!EnterMediaParent(options)) {
    std::fprintf(stderr, "demo: --data: cannot enter %s\n%s", options.DataDir.c_str(), DemoUsage("demo").c_str());
    return 2;
  }
  options.DrawScenesFirst = true;
  PrefaultHeap(48 << 20);  // start-up allocates some 40 MiB
  DisplaySetPacing(options.Paced);
  try {
    return options.Dev ? DevMain(options) : DemoMain(options);
  } catch (const EInOutError& e) {
    // A file error nothing else catches ends the program with its text, once
    // the window has given the display its own mode back.
    DemoShutdown();
    ShowMessage("Error", e.what(), TMessageIcon::Error);
    return 1;
  }
}
