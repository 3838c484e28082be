// Opening: the lattice is reset every frame, so nothing of the warp carries
// over from one frame to the next; only the time moves it.
#include "scenes/Opening.h"

#include <cmath>

#include "engine/QRN2Materials.h"

namespace {
// A clock of exactly 0 would make 1 / t infinite and every coordinate NaN.
TExtended WarpTime(float t) { return t > 0 ? t : OpeningFirstTime; }

// Wider intermediates, one rounding where the coordinate is stored.
template <typename TWave>
float Warp(float c, float time, TWave wave) {
  const TExtended t = WarpTime(time);
  return static_cast<float>((wave((1 / t) * c - 0.5 + t / 2) + (t / 4) * c) / (t / 4 + 1));
}
}  // namespace

float OpeningWarpU(float u, float t) {
  return Warp(u, t, [](TExtended x) { return std::sin(x); });
}

float OpeningWarpV(float v, float t) {
  return Warp(v, t, [](TExtended x) { return std::cos(x); });
}

void StartOpening(TOpeningScene& scene) { scene.Texture = GetTexture("wombats.jpg"); }

void RenderOpening(TOpeningScene& scene, float time) {
  TQRNGrid& grid = scene.Grid;
  grid.Reset();
  UseTexture(scene.Texture);
  for (std::int32_t i = 0; i < grid.Rows; ++i)
    for (std::int32_t j = 0; j < grid.Cols; ++j) {
      TTexCoord& p = grid.Points[i][j];
      p = {OpeningWarpU(p.u, time), OpeningWarpV(p.v, time)};
    }
  grid.Draw(0, 0, 800, 600);
}
