// FrameImage: read-back and box-filter resizing.
#include "tools/capture/FrameImage.h"

#include <algorithm>
#include <cstring>

#include "engine/GLQueries.h"

TImage MakeImage(int width, int height, int channels) {
  TImage image;
  image.Width = width;
  image.Height = height;
  image.Channels = channels;
  image.Pixels.assign(static_cast<std::size_t>(width) * height * channels, 0);
  return image;
}

void ReadFrame(int width, int height, TImage& frame) {
  if (frame.Width != width || frame.Height != height || frame.Channels != 4)
    frame = MakeImage(width, height, 4);
  ReadFramePixels(width, height, frame.Pixels.data());
  FlipRows(frame);
}

void FlipRows(TImage& image) {
  const std::size_t row = static_cast<std::size_t>(image.Width) * image.Channels;
  std::vector<std::uint8_t> swap(row);
  for (int top = 0, bottom = image.Height - 1; top < bottom; ++top, --bottom) {
    std::uint8_t* a = image.Pixels.data() + top * row;
    std::uint8_t* b = image.Pixels.data() + bottom * row;
    std::memcpy(swap.data(), a, row);
    std::memcpy(a, b, row);
    std::memcpy(b, swap.data(), row);
  }
}

TImage DropAlpha(const TImage& rgba) {
  TImage rgb = MakeImage(rgba.Width, rgba.Height, 3);
  const std::size_t pixels = static_cast<std::size_t>(rgba.Width) * rgba.Height;
  for (std::size_t i = 0; i < pixels; ++i)
    std::memcpy(&rgb.Pixels[i * 3], &rgba.Pixels[i * rgba.Channels], 3);
  return rgb;
}

namespace {
// For each output cell along one axis: the source indices it covers and how
// much of each, in units of 1/size of a source cell.
struct TSpan {
  int First = 0, Last = 0;
  std::vector<double> Weights;
};

std::vector<TSpan> Spans(int from, int to) {
  std::vector<TSpan> spans(to);
  for (int o = 0; o < to; ++o) {
    // The cell covers [o*from/to, (o+1)*from/to) in source units.
    const double lo = static_cast<double>(o) * from / to, hi = static_cast<double>(o + 1) * from / to;
    TSpan& s = spans[o];
    s.First = static_cast<int>(lo);
    s.Last = std::min(from - 1, static_cast<int>(hi - 1e-9));
    for (int i = s.First; i <= s.Last; ++i)
      s.Weights.push_back(std::min<double>(hi, i + 1) - std::max<double>(lo, i));
  }
  return spans;
}
}  // namespace

TImage Resize(const TImage& source, int width, int height) {
  if (source.Width == width && source.Height == height) return source;
  const int c = source.Channels;
  const std::vector<TSpan> xs = Spans(source.Width, width), ys = Spans(source.Height, height);
  TImage out = MakeImage(width, height, c);
  std::vector<double> sum(c);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::fill(sum.begin(), sum.end(), 0.0);
      double area = 0;
      for (int j = ys[y].First; j <= ys[y].Last; ++j) {
        const double wy = ys[y].Weights[j - ys[y].First];
        for (int i = xs[x].First; i <= xs[x].Last; ++i) {
          const double w = wy * xs[x].Weights[i - xs[x].First];
          const std::uint8_t* p = &source.Pixels[(static_cast<std::size_t>(j) * source.Width + i) * c];
          for (int k = 0; k < c; ++k) sum[k] += w * p[k];
          area += w;
        }
      }
      std::uint8_t* q = &out.Pixels[(static_cast<std::size_t>(y) * width + x) * c];
      for (int k = 0; k < c; ++k) q[k] = static_cast<std::uint8_t>(std::clamp(sum[k] / area + 0.5, 0.0, 255.0));
    }
  }
  return out;
}

void Paste(TImage& target, const TImage& tile, int x, int y) {
  const int c = target.Channels;
  if (tile.Channels != c) return;
  for (int row = 0; row < tile.Height; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= target.Height) continue;
    const int first = std::max(0, -x), last = std::min(tile.Width, target.Width - x);
    if (first >= last) continue;
    std::memcpy(&target.Pixels[(static_cast<std::size_t>(ty) * target.Width + x + first) * c],
                &tile.Pixels[(static_cast<std::size_t>(row) * tile.Width + first) * c],
                static_cast<std::size_t>(last - first) * c);
  }
}

TImage ComposeGrid(const std::vector<TImage>& tiles, int columns, int gap) {
  if (tiles.empty() || columns < 1) return {};
  const int w = tiles[0].Width, h = tiles[0].Height, n = static_cast<int>(tiles.size());
  const int cols = std::min(columns, n), rows = (n + cols - 1) / cols;
  TImage sheet = MakeImage(gap + cols * (w + gap), gap + rows * (h + gap), tiles[0].Channels);
  for (int i = 0; i < n; ++i) Paste(sheet, tiles[i], gap + (i % cols) * (w + gap), gap + (i / cols) * (h + gap));
  return sheet;
}
