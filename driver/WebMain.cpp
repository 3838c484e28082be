// WebMain: the demo's entry point in a browser tab. main() only tells the
// page the demo is ready; each run the page asks for is the driver's
// start-up, one frame per animation frame of the browser until the demo
// ends (or Escape), and the driver's shutdown, after which the page offers
// its Start button again. A run with still times draws on the capture
// tool's fixed clock instead: frame k shows k / fps, every frame from 0 as
// capture draws them (the scenes carry state from frame to frame), several
// an animation frame, the frames of those times handed to the page as
// pixels, and holds at the last.
// Mechanism: emscripten_set_main_loop (requestAnimationFrame); the page
// through platform/web/WebPage.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "driver/DemoScenes.h"
#include "driver/FrameStats.h"
#include "driver/QRN2Base.h"
#include "engine/Quarn2.h"
#include "engine/RenderScale.h"
#include "platform/Files.h"
#include "platform/Message.h"
#include "platform/QINKeyboard.h"
#include "platform/web/WebPage.h"
#include "frames/FrameClock.h"
#include "frames/FrameImage.h"

namespace {
// How long the fixed clock draws in one animation frame before the browser
// gets its turn (the page stays responsive).
constexpr double FixedClockSliceMs = 50;

struct TFixedClock {
  int Fps = 10;
  long long Frame = 0;  // the next one to draw
  long long Last = 0;   // the frame to hold at
  std::vector<double> Stills;
  bool Holding = false;
};

bool Running = false;
bool Fixed = false;
TFixedClock Clock;

// Whatever the run got to, it is undone.
void CloseRun() {
  emscripten_cancel_main_loop();
  DemoShutdown();
  if (Fixed) RemoveFrameClock();
  Running = false;
}

void EndRun() {
  CloseRun();
  FrameStatsReport(stdout);
  WebPageRunEnded();
}

// As main() on the desktop: a file error nothing else catches ends the run
// with its text, once the window is gone.
void Fail(const EInOutError& e) {
  CloseRun();
  ShowMessage("Error", e.what(), TMessageIcon::Error);
  WebPageRunEnded();
}

void RealTimeFrame() {
  if (!DemoContinues()) return EndRun();
  DemoRenderFrame();
  DemoEndFrame();
  WebPageFrameShown(Driver.Time);
}

void HandStills(long long frame) {
  TImage image;
  for (double t : Clock.Stills) {
    if (FrameAt(t, Clock.Fps) != frame) continue;
    if (image.Pixels.empty()) ReadFrame(CurrentRenderScale().Width, CurrentRenderScale().Height, image);
    WebPageStill(t, image.Width, image.Height, image.Pixels.data());
  }
}

void FixedClockFrames() {
  if (Clock.Holding) {
    // The held frame is shown again for a canvas that changed size.
    UpdateKeyboard();
    if (KeyDown(DIK_ESCAPE) || PresentFrame(Driver.Window)) EndRun();
    return;
  }
  const double began = emscripten_get_now();
  do {
    SetClockToFrame(Clock.Frame, Clock.Fps);
    if (!DemoContinues()) return EndRun();
    DemoRenderFrame();
    HandStills(Clock.Frame);
    DemoEndFrame();
    WebPageFrameShown(Driver.Time);
    if (Clock.Frame == Clock.Last) {
      Clock.Holding = true;
      return WebPageHolding();
    }
    ++Clock.Frame;
  } while (emscripten_get_now() - began < FixedClockSliceMs);
}

template <class F>
void Guarded(F frame) {
  try {
    frame();
  } catch (const EInOutError& e) {
    Fail(e);
  }
}

void RealTimeLoop() { Guarded(RealTimeFrame); }
void FixedClockLoop() { Guarded(FixedClockFrames); }

TDemoOptions OptionsOf(const TWebRunRequest& r) {
  TDemoOptions o;
  o.Fullscreen = false;  // the page goes fullscreen on request, its canvas the window
  // The canvas's own resolution, but for stills: one pixel a unit without
  // samples, as capture draws them, whatever the page's size.
  o.Scale = r.Scale > 0 || Fixed ? TScaleChoice::Fixed : TScaleChoice::Native;
  o.ScaleValue = r.Scale > 0 ? std::clamp(r.Scale, SmallestRenderScale, LargestRenderScale) : 1;
  o.Msaa = Fixed && r.Msaa < 0 ? 0 : r.Msaa;
  o.Mute = r.Mute || Fixed;  // frame k must show k / fps exactly, as in capture
  o.Loop = r.Loop && !Fixed;
  // Within what the command line allows (a day; the patterns up to the finale).
  o.StartSeconds = Fixed ? 0 : std::clamp(r.StartSeconds, 0.0, 24.0 * 3600);
  o.StartPattern = Fixed ? -1 : std::clamp(r.StartPattern, -1, FinalePattern);
  o.AudioOffsetMs = std::clamp(r.AudioOffsetMs, -2000.0, 2000.0);
  // In real time, as the desktop: nothing a scene needs waits for its first frame.
  o.DrawScenesFirst = !Fixed;
  return o;
}

void StartRun(const TWebRunRequest& request) {
  if (Running) return;
  Fixed = !request.StillTimes.empty();
  Clock = TFixedClock{};
  Clock.Fps = std::clamp(request.Fps, 1, 1000);
  Clock.Stills = request.StillTimes;
  for (double t : Clock.Stills) Clock.Last = std::max(Clock.Last, FrameAt(std::max(t, 0.0), Clock.Fps));
  ChangeDirectory("/");  // the page put the media in /data
  FrameStatsBegin();
  if (Fixed) InstallFrameClock();  // before start-up creates the demo's timer
  Running = true;
  bool started = false;
  Guarded([&] { started = DemoStartup(OptionsOf(request)); });
  if (!Running) return;  // a file error ended it
  if (!started) {       // no window: its message has been shown
    CloseRun();
    return WebPageRunEnded();
  }
  WebPageRunStarted();
  emscripten_set_main_loop(Fixed ? FixedClockLoop : RealTimeLoop, 0, false);
}
}  // namespace

int main() {
  WebPageOnStart(StartRun);
  WebPageReady();
  return 0;  // the runtime stays for the page's runs
}
