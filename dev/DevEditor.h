// DevEditor: the development mode as a sync editor. The track's edits and
// their history over the file they came from, the beat grid (proposed from
// the music once it is decoded), a drag in progress, and what a save, a quit
// and a change on disk do with edits not yet saved. An edit goes into the
// driver's track at once and the scenes are stepped to the current time
// under it, so the picture shown is the new track's.
// Needs: dev/TrackEdit, dev/AudioView, dev/DevTimeline, the driver,
// platform/Files, platform/QuarnBASS (the decoded music).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dev/AudioView.h"
#include "dev/TrackEdit.h"
#include "platform/Files.h"

constexpr const char* TrackFile = "test.snc";
constexpr const char* UnsavedSuffix = ".unsaved";

struct TDevEditor {
  TEditHistory History;
  std::vector<std::uint8_t> FileBytes;  // the file as last read or written
  TFileStamp Stamp;                     // its stamp then
  TBeatGrid Grid;
  bool Snap = true;
  TAudioView Audio;
  bool AudioReady = false;
  double AudioMs = 0;  // what computing the view took
  int Dragging = -1;   // the pattern whose end is dragged
  TTrackEnds DragFrom{};
  int Selected = 0;  // the end the typed time is for
  std::string Status;  // the last save's outcome or a refused track, for the panel
  bool StatusIsError = false;
  bool DiskChanged = false;  // the file changed on disk under unsaved edits
};

// Reads the file into the driver's track and starts a new history. False,
// with the reason in `problem` (the track kept), for a file that cannot be
// read or a track the demo cannot play.
bool EditorLoad(TDevEditor& editor, std::string& problem);
// The ends shown, into the driver's track (not into the history: a drag
// shows every step, and is one edit when it ends).
void EditorShow(TDevEditor& editor, const TTrackEnds& ends);
// A finished edit: shown and remembered.
void EditorEdit(TDevEditor& editor, const TTrackEnds& ends);
void EditorUndo(TDevEditor& editor);
void EditorRedo(TDevEditor& editor);
bool EditorUnsaved(const TDevEditor& editor);

// The end of the drag's pattern at `time` (snapped when snapping); with
// `boundaryOnly` the patterns after stay.
void EditorDrag(TDevEditor& editor, int pattern, float time, bool boundaryOnly);
void EditorEndDrag(TDevEditor& editor);
// Tap to mark: the pattern heard at `heardTime` ends there.
void EditorTap(TDevEditor& editor, float heardTime);

// Writes the edited ends into the file, every other byte as it held them: a
// new file renamed over it, the old one kept as test.snc.bak. A failure is
// said in Status and the edits kept.
bool EditorSave(TDevEditor& editor);
// At quit with unsaved edits: the file as it would be saved, beside it as
// test.snc.unsaved; its path, or empty when it could not be written.
std::string EditorSaveAside(TDevEditor& editor);

// The file changed on disk? Taken at once when nothing is unsaved (true
// when the track changed), else DiskChanged is set for the viewer to choose.
bool EditorPoll(TDevEditor& editor);
void EditorTakeDisk(TDevEditor& editor);
void EditorKeepMine(TDevEditor& editor);

// Once the music is decoded: its waveform and a proposed beat grid.
void EditorPrepareAudio(TDevEditor& editor, std::int32_t musicSample);
