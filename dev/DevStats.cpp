// DevStats: rings of frame times.
#include "dev/DevStats.h"

#include "driver/FrameStats.h"

void NoteFrame(TDevStats& stats, int scene, float seconds) {
  stats.Graph[stats.GraphNext] = seconds;
  stats.GraphNext = (stats.GraphNext + 1) % DevGraphFrames;
  if (scene < 0 || scene >= DemoSceneCount) return;
  std::vector<double>& frames = stats.SceneFrames[scene];
  if (static_cast<int>(frames.size()) < DevSceneFrames) {
    frames.push_back(seconds);
  } else {
    frames[stats.SceneNext[scene]] = seconds;
    stats.SceneNext[scene] = (stats.SceneNext[scene] + 1) % DevSceneFrames;
  }
}

void NoteDrift(TDevStats& stats, float drift) {
  stats.Drift[stats.DriftNext] = drift * 1000;
  stats.DriftNext = (stats.DriftNext + 1) % DevGraphFrames;
}

void UpdateMedians(TDevStats& stats) {
  for (int s = 0; s < DemoSceneCount; ++s)
    if (!stats.SceneFrames[s].empty()) stats.SceneMedian[s] = Percentile(stats.SceneFrames[s], 50);
}

float GraphFramesPerSecond(const TDevStats& stats) {
  double total = 0;
  int frames = 0;
  for (float seconds : stats.Graph)
    if (seconds > 0) {
      total += seconds;
      ++frames;
    }
  return total > 0 ? static_cast<float>(frames / total) : 0.0f;
}
