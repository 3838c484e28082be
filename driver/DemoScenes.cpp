// DemoScenes: which patterns show which scene.
#include "driver/DemoScenes.h"

#include <cmath>

const TDemoScene DemoScenes[DemoSceneCount] = {
    {TSceneId::Opening, "opening", 0, 0}, {TSceneId::Still, "still", 1, 1},
    {TSceneId::Picture, "picture", 2, 3}, {TSceneId::Wombat, "wombat", 4, 5},
    {TSceneId::Lakris, "lakris", 6, 17},  {TSceneId::Finale, "finale", FinalePattern, FinalePattern},
};

const TDemoScene* SceneOfPattern(int pattern) {
  for (const TDemoScene& s : DemoScenes)
    if (pattern >= s.FirstPattern && pattern <= s.LastPattern) return &s;
  return nullptr;
}

const TDemoScene& SceneNamed(TSceneId id) {
  for (const TDemoScene& s : DemoScenes)
    if (s.Id == id) return s;
  return DemoScenes[0];  // every id has its row
}

namespace {
double PatternBegin(const TSync& track, int pattern) {
  return pattern == 0 ? 0.0 : track.PatternEnds[pattern - 1];
}
}  // namespace

TTimeSpan SceneSpan(const TSync& track, const TDemoScene& scene) {
  TTimeSpan span{PatternBegin(track, scene.FirstPattern), track.PatternEnds[scene.LastPattern]};
  if (!std::isfinite(span.Begin) || !std::isfinite(span.End) || span.End <= span.Begin) return {};
  // A zero entry before the scene stops the demo short of it.
  for (int p = 0; p <= scene.LastPattern; ++p)
    if (track.PatternEnds[p] == 0.0f) return {};
  return span;
}

double MiddleOfPattern(const TSync& track, int pattern) {
  const TTimeSpan span = SceneSpan(track, TDemoScene{TSceneId::Opening, "", pattern, pattern});
  return span.End > span.Begin ? (span.Begin + span.End) / 2 : -1;
}

std::vector<double> ContactSheetTimes(const TSync& track) {
  std::vector<double> times;
  for (int pattern : {0, 1, 2, 4, 8, 12, 16, FinalePattern}) {
    const double t = MiddleOfPattern(track, pattern);
    if (t >= 0) times.push_back(t);
  }
  return times;
}
