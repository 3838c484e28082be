// CaptureSession: runs the demo's frames offscreen on the fixed-step clock,
// from frame 0 (the scenes carry state from frame to frame), and hands the
// chosen frames to the video encoder, the stills and the contact sheet.
// Every output appears under its own name only when the whole run worked.
// Needs: the driver, tools/capture's modules.
#pragma once
#include "tools/capture/CaptureOptions.h"

enum class TCaptureStatus { Done, Failed, Interrupted };

struct TCaptureReport {
  long long FramesDrawn = 0;
  long long VideoFirst = -1, VideoLast = -1;  // frame indices in the video
  long long DemoLast = -1;                    // the demo's last frame; -1: it never ends
  double Seconds = 0;                         // wall time of the frames and the encoder
};

// Draws one frame into the cleared frame buffer; the driver's by default.
using TRenderFrame = void (*)();

// Reports failures through ShowMessage. The demo's own file errors
// (EInOutError) pass through to the caller.
TCaptureStatus RunCapture(const TCaptureOptions& options, TCaptureReport& report, TRenderFrame render = nullptr);
