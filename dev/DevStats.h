// DevStats: the frame times the panel shows: the last few hundred in order
// for the graph, and each scene's median over its recent frames.
// Needs: driver/DemoScenes, driver/FrameStats (percentiles).
#pragma once
#include <vector>

#include "driver/DemoScenes.h"

constexpr int DevGraphFrames = 300;
constexpr int DevSceneFrames = 600;  // per scene, for its median

struct TDevStats {
  std::vector<float> Graph = std::vector<float>(DevGraphFrames, 0.0f);  // seconds, a ring
  int GraphNext = 0;  // the oldest entry: where the graph starts
  std::vector<double> SceneFrames[DemoSceneCount];  // rings of seconds
  int SceneNext[DemoSceneCount] = {};
  double SceneMedian[DemoSceneCount] = {};  // seconds; 0 before a frame of it
  // The audio clock less the wall clock since the clock was last set, in
  // milliseconds a frame, a ring like Graph (0 while no music plays).
  std::vector<float> Drift = std::vector<float>(DevGraphFrames, 0.0f);
  int DriftNext = 0;
};

// A frame of scene `scene` (an index into DemoScenes, -1 for none) took
// `seconds` from the last frame's start to this one's.
void NoteFrame(TDevStats& stats, int scene, float seconds);
// This frame's clock was `drift` seconds ahead of the wall clock, both
// counted from when the clock was last set.
void NoteDrift(TDevStats& stats, float drift);
// SceneMedian from the frames noted so far (sorting: not every frame).
void UpdateMedians(TDevStats& stats);
// Frames per second over the graph's frames; 0 before any.
float GraphFramesPerSecond(const TDevStats& stats);
