// DevPanel: the development mode's panel, drawn with ImGui: the timeline of
// patterns (click or drag on it to seek) and the status: time, pattern,
// speed, frame times, the track's reload error and the last screenshot.
// Needs: ImGui (a frame begun by platform/DevOverlay), dev/DevTimeline,
// dev/DevStats, dev/DevClock.
#pragma once
#include <string>
#include <vector>

#include "dev/DevClock.h"
#include "dev/DevStats.h"
#include "dev/DevTimeline.h"

struct TDevPanelView {
  float Time = 0;
  int Pattern = 0;
  TDevClock Clock;
  bool Mute = false;
  const std::vector<TPatternRow>* Rows = nullptr;
  const TDevStats* Stats = nullptr;
  std::string TrackError;  // the last reload's, empty when it loaded
  std::string LastShot;    // the last F12 file
  long Underruns = -1;     // the audio device's, -1 without one
  int AudioOffsetMs = 0;
  bool Calibrating = false;
  bool Flash = false;      // calibrating: the screen is white
};

struct TDevPanelRequest {
  bool Seek = false;
  float SeekTime = 0;
};

TDevPanelRequest DrawDevPanel(const TDevPanelView& view);
