// WebPage: the page around the demo. It asks for runs (its Start button, or
// by itself for a run on the fixed clock), with the options its address
// gives, and is told how each goes: started, each frame's demo time, stills
// of given moments (for its tests), held, ended.
// Mechanism: an exported function the page's script (page.js) calls, and
// EM_JS calls into that script's Module.demoPage.
#pragma once
#include <cstdint>
#include <vector>

struct TWebRunRequest {
  double Scale = 0;  // pixels a unit; 0: the largest the canvas holds
  int Msaa = -1;     // samples a pixel; -1: the renderer's choice
  bool Mute = false;
  bool Loop = false;
  double StartSeconds = 0;
  int StartPattern = -1;
  double AudioOffsetMs = 0;  // the output's own delay, as --audio-offset
  // With still times, a run on the capture's fixed clock at Fps frames a
  // second, muted, handing the page the frames of those demo times and
  // holding at the last; without, the demo in real time.
  int Fps = 10;
  std::vector<double> StillTimes;
};

// `start` runs each time the page asks for a run.
void WebPageOnStart(void (*start)(const TWebRunRequest& request));
// The demo can run: the page offers its Start button.
void WebPageReady();
void WebPageRunStarted();
void WebPageFrameShown(double demoTime);
// A frame's pixels, RGBA, top row first.
void WebPageStill(double demoTime, int width, int height, const std::uint8_t* rgba);
// The fixed clock's last frame stays on the screen until Escape.
void WebPageHolding();
// The run is over (its end, Escape, or a failure): the Start button again.
void WebPageRunEnded();
