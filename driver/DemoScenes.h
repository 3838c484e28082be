// DemoScenes: the demo's scenes as spans of sync-track patterns, and the
// demo times inside each, for the benchmarks, the frame statistics and the
// contact sheet.
// Needs: sync/Sync.
#pragma once
#include <vector>

#include "sync/Sync.h"

struct TDemoScene {
  const char* Name;
  int FirstPattern, LastPattern;
};

constexpr int DemoSceneCount = 6;
extern const TDemoScene DemoScenes[DemoSceneCount];

// The scene that shows `pattern`, or null past the last one.
const TDemoScene* SceneOfPattern(int pattern);

struct TTimeSpan {
  double Begin = 0, End = 0;  // demo seconds; empty when End <= Begin
};

// From the end of the pattern before the scene's first to the end of its last.
TTimeSpan SceneSpan(const TSync& track, const TDemoScene& scene);
// A time in the middle of `pattern`, or -1 when the track has no such span.
double MiddleOfPattern(const TSync& track, int pattern);
// One frame from each scene, three from the long landscape scene.
std::vector<double> ContactSheetTimes(const TSync& track);
