// DevPanel: the development mode's panel, drawn with ImGui: the timeline of
// patterns over the music (dev/DevTrackPanel: seek, edit, zoom) and the
// status: time, pattern, speed, frame times, the audio clock, the last
// screenshot; or the calibration view.
// Needs: ImGui (a frame begun by platform/DevOverlay), dev/DevTimeline,
// dev/DevStats, dev/DevClock, dev/DevEditor.
#pragma once
#include <string>
#include <vector>

#include "dev/DevClock.h"
#include "dev/DevEditor.h"
#include "dev/DevStats.h"
#include "dev/DevTimeline.h"

struct TDevPanelView {
  float Time = 0;
  int Pattern = 0;
  TDevClock Clock;
  bool Mute = false;
  const std::vector<TPatternRow>* Rows = nullptr;
  const TDevStats* Stats = nullptr;
  const TDevEditor* Editor = nullptr;
  TTimelineView* View = nullptr;  // zoomed and scrolled by the panel
  std::string LastShot;    // the last F12 file
  std::string MediaProblem;  // a picture, model or music that failed to read again
  long Underruns = -1;     // the audio device's, -1 without one
  int AudioOffsetMs = 0;
  bool Calibrating = false;
  bool Flash = false;      // calibrating: the screen is white
};

struct TDevPanelRequest {
  bool Seek = false;
  float SeekTime = 0;
  // An end dragged to DragTime (the patterns after stay with BoundaryOnly);
  // DragEnded when the button is let go.
  int DragPattern = -1;
  float DragTime = 0;
  bool DragBoundaryOnly = false, DragEnded = false;
  int TypedPattern = -1;  // an end typed in
  float TypedTime = 0;
  bool Save = false, Undo = false, Redo = false, TakeDisk = false, KeepMine = false;
  bool GridChanged = false;
  TBeatGrid Grid;
  bool Snap = false;
};

TDevPanelRequest DrawDevPanel(const TDevPanelView& view);
