// What a piece of drawing sends to the rasteriser, read back through GL's
// feedback mode: lines and polygons in window coordinates, nothing drawn.
#pragma once
#include <array>
#include <functional>
#include <vector>

struct TFeedback {
  std::vector<std::array<float, 6>> Lines;  // x0, y0, z0, x1, y1, z1
  int Polygons = 0;
  int Points = 0;
  bool Overflow = false;
};

TFeedback FeedbackOf(const std::function<void()>& draw);
