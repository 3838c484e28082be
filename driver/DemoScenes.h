// DemoScenes: the demo's schedule, the one table of which sync-track
// patterns show which scene, read by the driver's frame, the capture tool,
// the benchmarks and the frame statistics; and the demo times inside each
// scene.
// Needs: sync/Sync.
#pragma once
#include <vector>

#include "sync/Sync.h"

enum class TSceneId { Opening, Still, Picture, Wombat, Lakris, Finale };

struct TDemoScene {
  TSceneId Id;
  const char* Name;
  int FirstPattern, LastPattern;
};

// The finale is the Wombat scene again, its model twisting. The first
// pattern past it shows "timeup.jpg" for one frame, and the demo ends.
constexpr int FinalePattern = 18;
constexpr int LastFramePattern = FinalePattern + 1;

constexpr int DemoSceneCount = 6;
extern const TDemoScene DemoScenes[DemoSceneCount];

// The scene that shows `pattern`, or null past the last one.
const TDemoScene* SceneOfPattern(int pattern);
const TDemoScene& SceneNamed(TSceneId id);

struct TTimeSpan {
  double Begin = 0, End = 0;  // demo seconds; empty when End <= Begin
};

// From the end of the pattern before the scene's first to the end of its last.
TTimeSpan SceneSpan(const TSync& track, const TDemoScene& scene);
// A time in the middle of `pattern`, or -1 when the track has no such span.
double MiddleOfPattern(const TSync& track, int pattern);
// One frame from each scene, three from the long landscape scene.
std::vector<double> ContactSheetTimes(const TSync& track);
