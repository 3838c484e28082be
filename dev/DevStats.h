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
};

// A frame of scene `scene` (an index into DemoScenes, -1 for none) took
// `seconds` from the last frame's start to this one's.
void NoteFrame(TDevStats& stats, int scene, float seconds);
// SceneMedian from the frames noted so far (sorting: not every frame).
void UpdateMedians(TDevStats& stats);
// Frames per second over the graph's frames; 0 before any.
float GraphFramesPerSecond(const TDevStats& stats);
