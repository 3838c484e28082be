// TrackEdit: the sync editor's model. The ends of the patterns the demo plays
// (0 to FinalePattern), the rules that move them without ever leaving a
// track the demo cannot play, a beat grid to snap to, undo and redo, and the
// bytes that save an edit into the file it came from.
// Needs: sync/Sync, driver/DemoScenes (constants only).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "driver/DemoScenes.h"
#include "sync/Sync.h"

constexpr int EditedEnds = FinalePattern + 1;
using TTrackEnds = std::array<float, EditedEnds>;

// No edit makes a pattern shorter than one 60 Hz frame (one already shorter
// may stay so), nor puts an end past a day: far beyond any music, and floats
// there still tell such frames apart.
constexpr float MinPatternLength = 1.0f / 60;
constexpr float MaxEndTime = 24 * 3600;

TTrackEnds EndsOf(const TSync& track);
void SetEnds(TSync& track, const TTrackEnds& ends);
// What the demo needs: every end positive, finite and after the one before.
bool Playable(const TTrackEnds& ends);
// Bit for bit, so that a NaN equals itself and -0 differs from 0.
bool SameEnds(const TTrackEnds& a, const TTrackEnds& b);

enum class TEndMove {
  KeepLengths,  // the patterns after move with the end
  BoundaryOnly  // the next pattern grows or shrinks instead
};

// `pattern`'s end moved to `time`, for a drag, a typed time or a tap. A time
// past the limits stops at them. A drag moves from the ends at its start
// every frame (going past a neighbour and back then loses nothing) and is
// one edit when released. A bad pattern, a time that is not finite or a
// track that is already unplayable changes nothing.
TTrackEnds MoveEnd(const TTrackEnds& ends, int pattern, float time, TEndMove move);
// Tap to mark: `pattern` ends at `heardTime`, the time of the music heard
// when the key went down; the patterns after keep their lengths.
TTrackEnds TapEnd(const TTrackEnds& ends, int pattern, float heardTime);

// Beats every 60 / BeatsPerMinute seconds from FirstBeat on; none before it.
struct TBeatGrid {
  float BeatsPerMinute = 120;
  float FirstBeat = 0;
};
// A grid without a positive finite tempo has no beats; nothing snaps to it.
bool HasBeats(const TBeatGrid& grid);
// The nearest beat; a time before the first beat snaps to it.
float SnapToBeat(const TBeatGrid& grid, float time);
// The beats from `begin` to `end`, both included, for drawing the grid; at
// most MaxGridBeats of them, from `begin` on.
constexpr int MaxGridBeats = 4096;
std::vector<float> BeatsBetween(const TBeatGrid& grid, float begin, float end);

// Every state the track has been in since it was loaded, for undo and redo.
struct TEditHistory {
  std::vector<TTrackEnds> States;  // oldest first, never empty
  std::size_t Now = 0;             // the state shown; later ones are redos
  TTrackEnds Saved{};              // what the file holds
};

// A loaded (or reloaded) track: nothing to undo, nothing unsaved.
TEditHistory NewHistory(const TTrackEnds& loaded);
const TTrackEnds& CurrentEnds(const TEditHistory& history);
// A new state after the current one; the redos are dropped. Ends that are
// the same as now add nothing.
TEditHistory Edit(TEditHistory history, const TTrackEnds& ends);
bool CanUndo(const TEditHistory& history);
bool CanRedo(const TEditHistory& history);
TEditHistory Undo(TEditHistory history);
TEditHistory Redo(TEditHistory history);
// After a save: the current state is what the file holds.
TEditHistory MarkSaved(TEditHistory history);
// True when the current state is not what the file holds, however it got
// there (undoing back to the saved ends leaves nothing unsaved).
bool HasUnsavedEdits(const TEditHistory& history);

// The file's new bytes: `original` as read, with only the ends whose bits
// differ from the ones it holds rewritten (4-byte little-endian floats,
// table 1 first). A file too short for a rewritten end grows with zero bytes
// just far enough to hold it; loading the result gives exactly `ends`.
std::vector<std::uint8_t> PatchedTrackBytes(const std::vector<std::uint8_t>& original, const TTrackEnds& ends);
