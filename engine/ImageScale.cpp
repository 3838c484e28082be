// ImageScale: separable area averaging, one output row at a time, so the
// extra memory is two rows whatever the picture's size.
#include "engine/ImageScale.h"

#include <algorithm>
#include <cmath>

namespace {
int NearestPower(int value) {
  int power = 1;
  for (unsigned v = static_cast<unsigned>(std::max(value, 1)); v > 1; v >>= 1) {
    if (v == 3) return power * 4;
    power *= 2;
  }
  return power;
}

// Calls use(index, weight) for each input sample under output sample `o`.
template <typename F>
void Coverage(int o, double step, int inCount, F use) {
  const double from = o * step, to = from + step;
  for (int i = static_cast<int>(from); i < inCount && i < to; ++i)
    use(i, (std::min<double>(i + 1, to) - std::max<double>(i, from)) / step);
}
}  // namespace

TImageSize PowerOfTwoSize(int width, int height, int maxSide) {
  TImageSize size{NearestPower(width), NearestPower(height)};
  while ((size.Width > maxSide || size.Height > maxSide) && (size.Width > 1 || size.Height > 1)) {
    size.Width = std::max(1, size.Width / 2);
    size.Height = std::max(1, size.Height / 2);
  }
  return size;
}

std::vector<std::uint8_t> ScalePixels(const std::uint8_t* pixels, int width, int height, int channels,
                                      int newWidth, int newHeight) {
  const std::size_t ch = static_cast<std::size_t>(channels);
  const std::size_t outRow = static_cast<std::size_t>(newWidth) * ch;
  const double stepX = static_cast<double>(width) / newWidth, stepY = static_cast<double>(height) / newHeight;
  std::vector<double> row(outRow), sum(outRow);
  std::vector<std::uint8_t> out(outRow * static_cast<std::size_t>(newHeight));
  for (int oy = 0; oy < newHeight; ++oy) {
    std::fill(sum.begin(), sum.end(), 0.0);
    Coverage(oy, stepY, height, [&](int y, double wy) {
      const std::uint8_t* in = pixels + static_cast<std::size_t>(y) * width * ch;
      std::fill(row.begin(), row.end(), 0.0);
      for (int ox = 0; ox < newWidth; ++ox)
        Coverage(ox, stepX, width, [&](int x, double wx) {
          for (std::size_t c = 0; c < ch; ++c) row[ox * ch + c] += wx * in[x * ch + c];
        });
      for (std::size_t k = 0; k < outRow; ++k) sum[k] += wy * row[k];
    });
    for (std::size_t k = 0; k < outRow; ++k)
      out[oy * outRow + k] = static_cast<std::uint8_t>(std::clamp(std::lround(sum[k]), 0l, 255l));
  }
  return out;
}
