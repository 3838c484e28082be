// The demo's entry point. Takes no arguments; reads its media from "data".
#include "driver/FrameStats.h"
#include "driver/QRN2Base.h"
#include "platform/Display.h"
#include "platform/Files.h"
#include "platform/Memory.h"
#include "platform/Message.h"

int main() {
  FrameStatsBegin();
  PrefaultHeap(48 << 20);  // start-up allocates some 40 MiB
  DisplaySetPacing(true);
  try {
    return DemoMain();
  } catch (const EInOutError& e) {
    // A file error nothing else catches ends the program with its text, once
    // the window has given the display its own mode back.
    DemoShutdown();
    ShowMessage("Error", e.what(), TMessageIcon::Error);
    return 1;
  }
}
