#include "engine/RenderScale.h"

#include <algorithm>
#include <cmath>

namespace {
TRenderScale Current;
}  // namespace

TRenderScale RenderScaleOf(double scale, int width, int height) {
  TRenderScale s;
  s.Scale = scale;
  s.Width = std::max(1, static_cast<int>(std::lround(width * scale)));
  s.Height = std::max(1, static_cast<int>(std::lround(height * scale)));
  return s;
}

double FittingScale(int width, int height, int drawWidth, int drawHeight) {
  if (width <= 0 || height <= 0 || drawWidth <= 0 || drawHeight <= 0) return 1;
  return std::min(static_cast<double>(drawWidth) / width, static_cast<double>(drawHeight) / height);
}

bool ParseSampleCount(std::string_view text, int& samples) {
  if (text != "0" && text != "2" && text != "4" && text != "8") return false;
  samples = text[0] - '0';
  return true;
}

void SetRenderScale(const TRenderScale& scale) { Current = scale; }

const TRenderScale& CurrentRenderScale() { return Current; }

int ScaledPixels(double units) {
  // Exact at scale 1, whatever the units.
  if (Current.Scale == 1) return static_cast<int>(std::lround(units));
  return static_cast<int>(std::lround(units * Current.Scale));
}
