// DevTimeline: the track's patterns as rows of a timeline (start, end, the
// scene each shows), the mapping between demo time and a position along
// the timeline, and the checks a reloaded track must pass.
// Needs: sync/Sync, driver/DemoScenes.
#pragma once
#include <string>
#include <vector>

#include "driver/DemoScenes.h"
#include "sync/Sync.h"

struct TPatternRow {
  int Pattern = 0;
  float Begin = 0, End = 0;         // demo seconds; the end still belongs to it
  const TDemoScene* Scene = nullptr;
};

// Patterns 0 to FinalePattern, each from just after the previous one's end.
std::vector<TPatternRow> PatternRows(const TSync& track);
// The end of the last row that has one; 1 when none has (an empty timeline
// still maps positions).
float TimelineLength(const std::vector<TPatternRow>& rows);

// Positions along a timeline `width` wide showing 0 to `length` seconds;
// times outside it are clamped, so a drag past the edges seeks to them.
float TimelineX(float time, float length, float width);
float TimelineTime(float x, float length, float width);

// The stretch of the track the timeline shows, zoomed and scrolled; an
// empty view shows the whole track.
struct TTimelineView {
  float Begin = 0, End = 0;
};
constexpr float NarrowestView = 0.25f;  // seconds across the timeline
// The view as shown for a track `length` long: within it, never narrower
// than NarrowestView.
TTimelineView ShownView(TTimelineView view, float length);
// Positions along a timeline `width` wide showing `view`.
float ViewX(float time, const TTimelineView& view, float width);
float ViewTime(float x, const TTimelineView& view, float width);
// Zoomed by `factor` (below 1: closer) keeping `around` where it is.
TTimelineView ZoomView(const TTimelineView& view, float around, float factor, float length);
// Moved by `seconds`, kept within the track.
TTimelineView ScrollView(const TTimelineView& view, float seconds, float length);

// Page Up and Page Down: the neighbouring pattern, kept to 0..FinalePattern.
int PreviousPattern(int pattern);
int NextPattern(int pattern);

// Why the track cannot drive the demo (a pattern up to the finale without
// an end, or ending before the one before it); empty when it can.
std::string TrackProblem(const TSync& track);
