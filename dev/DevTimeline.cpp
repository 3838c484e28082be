// DevTimeline: rows and positions.
#include "dev/DevTimeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::vector<TPatternRow> PatternRows(const TSync& track) {
  std::vector<TPatternRow> rows;
  for (int p = 0; p <= FinalePattern; ++p) {
    TPatternRow row;
    row.Pattern = p;
    row.Begin = track.PatternStart(p);
    row.End = track.PatternEnds[p];
    row.Scene = SceneOfPattern(p);
    rows.push_back(row);
  }
  return rows;
}

float TimelineLength(const std::vector<TPatternRow>& rows) {
  float length = 0;
  for (const TPatternRow& row : rows) length = std::max(length, row.End);
  return length > 0 ? length : 1.0f;
}

float TimelineX(float time, float length, float width) {
  if (length <= 0 || width <= 0) return 0;
  return std::clamp(time / length, 0.0f, 1.0f) * width;
}

float TimelineTime(float x, float length, float width) {
  if (length <= 0 || width <= 0) return 0;
  return std::clamp(x / width, 0.0f, 1.0f) * length;
}

int PreviousPattern(int pattern) { return std::clamp(pattern - 1, 0, FinalePattern); }
int NextPattern(int pattern) { return std::clamp(pattern + 1, 0, FinalePattern); }

std::string TrackProblem(const TSync& track) {
  char text[160];
  for (int p = 0; p <= FinalePattern; ++p) {
    const float end = track.PatternEnds[p];
    if (!(end > 0) || !std::isfinite(end)) {
      std::snprintf(text, sizeof text, "pattern %d has no end (the demo needs patterns 0 to %d)", p,
                    FinalePattern);
      return text;
    }
    if (p > 0 && !(end > track.PatternEnds[p - 1])) {
      std::snprintf(text, sizeof text, "pattern %d ends at %.3f s, not after pattern %d (%.3f s)", p, end, p - 1,
                    track.PatternEnds[p - 1]);
      return text;
    }
  }
  return {};
}

TTimelineView ShownView(TTimelineView view, float length) {
  if (!(view.End > view.Begin)) return {0, length};
  const float width = std::clamp(view.End - view.Begin, std::min(NarrowestView, length), length);
  const float begin = std::clamp(view.Begin, 0.0f, length - width);
  return {begin, begin + width};
}

float ViewX(float time, const TTimelineView& view, float width) {
  return (time - view.Begin) / (view.End - view.Begin) * width;
}

float ViewTime(float x, const TTimelineView& view, float width) {
  return view.Begin + x / width * (view.End - view.Begin);
}

TTimelineView ZoomView(const TTimelineView& view, float around, float factor, float length) {
  const TTimelineView shown = ShownView(view, length);
  return ShownView({around - (around - shown.Begin) * factor, around + (shown.End - around) * factor}, length);
}

TTimelineView ScrollView(const TTimelineView& view, float seconds, float length) {
  const TTimelineView shown = ShownView(view, length);
  return ShownView({shown.Begin + seconds, shown.End + seconds}, length);
}
