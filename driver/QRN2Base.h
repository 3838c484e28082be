// QRN2Base: the demo driver. Start-up, the frame loop with its schedule of
// scenes, shutdown. The frame is split so that tools can run it with their
// own clock and read the picture back before it is presented.
// Needs: the engine, the platform layer, sync and the scenes.
#pragma once
#include <cstdint>

#include "platform/Display.h"

struct TDriverState {
  TWindowRec Window;
  std::int32_t MusicSample = -1;
  unsigned VellTexture = 0;
  unsigned TimeupTexture = 0;
  bool QuitRequested = false;  // the window was closed or a signal came
};
extern TDriverState Driver;

// Start-up steps in their fixed order. False when the window could not be
// opened (its message has been shown). Throws EInOutError for "test.snc".
bool DemoStartup();
// The loop's two tests (Escape at the last read, pattern past 18), and a
// quit request.
bool DemoContinues();
// Clear, clock, pattern and schedule: everything drawn, nothing presented.
void DemoRenderFrame();
// Presents the frame and reads the keyboard.
void DemoEndFrame();
// Frees what the start-up made and closes the window, which gives the display
// its mode back. Does nothing when no window is open.
void DemoShutdown();

// The whole program: start-up, loop, shutdown. Returns the exit status.
int DemoMain();
