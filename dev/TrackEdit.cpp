// TrackEdit: edit rules, beat grid, history and the saved bytes.
#include "dev/TrackEdit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
std::uint32_t BitsOf(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

// End `index` as TSync::LoadFromBytes reads it: the bytes the file has,
// zero above them.
std::uint32_t BitsInFile(const std::vector<std::uint8_t>& bytes, int index) {
  std::uint32_t bits = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    const std::size_t at = static_cast<std::size_t>(index) * 4 + k;
    if (at < bytes.size()) bits |= std::uint32_t{bytes[at]} << (8 * k);
  }
  return bits;
}

double BeatLength(const TBeatGrid& grid) { return 60.0 / grid.BeatsPerMinute; }
}  // namespace

TTrackEnds EndsOf(const TSync& track) {
  TTrackEnds ends;
  std::copy_n(track.PatternEnds, EditedEnds, ends.begin());
  return ends;
}

void SetEnds(TSync& track, const TTrackEnds& ends) { std::copy(ends.begin(), ends.end(), track.PatternEnds); }

bool Playable(const TTrackEnds& ends) {
  for (int p = 0; p < EditedEnds; ++p) {
    if (!(ends[p] > 0) || !std::isfinite(ends[p])) return false;
    if (p > 0 && !(ends[p] > ends[p - 1])) return false;
  }
  return true;
}

bool SameEnds(const TTrackEnds& a, const TTrackEnds& b) { return std::memcmp(a.data(), b.data(), sizeof a) == 0; }

TTrackEnds MoveEnd(const TTrackEnds& ends, int pattern, float time, TEndMove move) {
  if (pattern < 0 || pattern >= EditedEnds || !std::isfinite(time) || !Playable(ends)) return ends;
  const int last = EditedEnds - 1;
  // Double, so that the later ends all move by the same amount.
  const double now = ends[pattern];
  const double before = pattern > 0 ? ends[pattern - 1] : 0.0;
  const double lowest = std::min(before + MinPatternLength, now);
  double highest;
  if (move == TEndMove::BoundaryOnly && pattern < last)
    highest = std::max(double{ends[pattern + 1]} - MinPatternLength, now);
  else if (move == TEndMove::BoundaryOnly)
    highest = std::max(double{MaxEndTime}, now);
  else
    highest = std::max(MaxEndTime - (double{ends[last]} - now), now);
  const double target = std::clamp(double{time}, lowest, highest);

  TTrackEnds moved = ends;
  moved[pattern] = static_cast<float>(target);
  if (move == TEndMove::KeepLengths)
    for (int p = pattern + 1; p < EditedEnds; ++p) moved[p] = static_cast<float>(ends[p] + (target - now));
  // Rounding can only merge ends where floats are coarser than the limits.
  return Playable(moved) ? moved : ends;
}

TTrackEnds TapEnd(const TTrackEnds& ends, int pattern, float heardTime) {
  return MoveEnd(ends, pattern, heardTime, TEndMove::KeepLengths);
}

bool HasBeats(const TBeatGrid& grid) {
  return grid.BeatsPerMinute > 0 && std::isfinite(grid.BeatsPerMinute) && std::isfinite(grid.FirstBeat);
}

float SnapToBeat(const TBeatGrid& grid, float time) {
  if (!HasBeats(grid) || !std::isfinite(time)) return time;
  const double beat = std::max(0.0, std::round((time - double{grid.FirstBeat}) / BeatLength(grid)));
  return static_cast<float>(grid.FirstBeat + beat * BeatLength(grid));
}

std::vector<float> BeatsBetween(const TBeatGrid& grid, float begin, float end) {
  std::vector<float> beats;
  if (!HasBeats(grid) || !std::isfinite(begin) || !std::isfinite(end)) return beats;
  const double length = BeatLength(grid);
  const double first = std::max(0.0, std::ceil((begin - double{grid.FirstBeat}) / length));
  for (double beat = first; beats.size() < MaxGridBeats; ++beat) {
    const float time = static_cast<float>(grid.FirstBeat + beat * length);
    if (time > end) break;
    // The rounded first beat may fall a hair before `begin`.
    if (time >= begin) beats.push_back(time);
  }
  return beats;
}

TEditHistory NewHistory(const TTrackEnds& loaded) {
  TEditHistory history;
  history.States = {loaded};
  history.Saved = loaded;
  return history;
}

const TTrackEnds& CurrentEnds(const TEditHistory& history) { return history.States[history.Now]; }

TEditHistory Edit(TEditHistory history, const TTrackEnds& ends) {
  if (SameEnds(ends, CurrentEnds(history))) return history;
  history.States.resize(history.Now + 1);
  history.States.push_back(ends);
  ++history.Now;
  return history;
}

bool CanUndo(const TEditHistory& history) { return history.Now > 0; }
bool CanRedo(const TEditHistory& history) { return history.Now + 1 < history.States.size(); }

TEditHistory Undo(TEditHistory history) {
  if (CanUndo(history)) --history.Now;
  return history;
}

TEditHistory Redo(TEditHistory history) {
  if (CanRedo(history)) ++history.Now;
  return history;
}

TEditHistory MarkSaved(TEditHistory history) {
  history.Saved = CurrentEnds(history);
  return history;
}

bool HasUnsavedEdits(const TEditHistory& history) { return !SameEnds(CurrentEnds(history), history.Saved); }

std::vector<std::uint8_t> PatchedTrackBytes(const std::vector<std::uint8_t>& original, const TTrackEnds& ends) {
  std::vector<std::uint8_t> bytes = original;
  for (int p = 0; p < EditedEnds; ++p) {
    const std::uint32_t bits = BitsOf(ends[p]);
    if (bits == BitsInFile(original, p)) continue;
    const std::size_t at = static_cast<std::size_t>(p) * 4;
    if (bytes.size() < at + 4) bytes.resize(at + 4, 0);
    for (std::size_t k = 0; k < 4; ++k) bytes[at + k] = static_cast<std::uint8_t>(bits >> (8 * k));
  }
  return bytes;
}
