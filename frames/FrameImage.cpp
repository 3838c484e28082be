// FrameImage: read-back through the engine, resizing through the engine's
// texture resampler, and the byte shuffling around them.
#include "frames/FrameImage.h"

#include <algorithm>
#include <cstring>

#include "engine/GLQueries.h"
#include "engine/ImageScale.h"

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

TImage Resize(const TImage& source, int width, int height) {
  if (source.Width == width && source.Height == height) return source;
  TImage out;
  out.Width = width;
  out.Height = height;
  out.Channels = source.Channels;
  out.Pixels = ScalePixels(source.Pixels.data(), source.Width, source.Height, source.Channels, width, height);
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
