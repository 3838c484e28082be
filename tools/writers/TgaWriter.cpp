// TgaWriter: header, then BGRA pixels bottom row first; run-length packets
// never cross a row, which keeps the file readable by strict decoders too.
#include "tools/writers/TgaWriter.h"

#include <cstring>
#include <stdexcept>

#include "tools/writers/WriteFile.h"

namespace {

constexpr int MaxPacket = 128;

void PutPixel(std::vector<std::uint8_t>& out, const std::uint8_t* rgba) {
  out.push_back(rgba[2]);
  out.push_back(rgba[1]);
  out.push_back(rgba[0]);
  out.push_back(rgba[3]);
}

bool SamePixel(const std::uint8_t* a, const std::uint8_t* b) { return std::memcmp(a, b, 4) == 0; }

void EncodeRow(std::vector<std::uint8_t>& out, const std::uint8_t* row, int width) {
  int x = 0;
  while (x < width) {
    int run = 1;
    while (x + run < width && run < MaxPacket && SamePixel(row + 4 * x, row + 4 * (x + run))) ++run;
    if (run > 1) {
      out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
      PutPixel(out, row + 4 * x);
      x += run;
      continue;
    }
    // A raw packet runs until two equal neighbours start a repeat.
    int count = 1;
    while (x + count < width && count < MaxPacket &&
           !(x + count + 1 < width && SamePixel(row + 4 * (x + count), row + 4 * (x + count + 1))))
      ++count;
    out.push_back(static_cast<std::uint8_t>(count - 1));
    for (int k = 0; k < count; ++k) PutPixel(out, row + 4 * (x + k));
    x += count;
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeTga(const TRgbaImage& image, TTgaEncoding encoding) {
  const int w = image.Width, h = image.Height;
  if (w <= 0 || h <= 0 || w > 0xFFFF || h > 0xFFFF) throw std::invalid_argument("TGA size out of range");
  if (image.Pixels.size() != static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4)
    throw std::invalid_argument("TGA pixel buffer does not match its size");

  std::vector<std::uint8_t> out(18, 0);
  out[2] = encoding == TTgaEncoding::RunLength ? 10 : 2;
  out[12] = static_cast<std::uint8_t>(w & 0xFF);
  out[13] = static_cast<std::uint8_t>(w >> 8);
  out[14] = static_cast<std::uint8_t>(h & 0xFF);
  out[15] = static_cast<std::uint8_t>(h >> 8);
  out[16] = 32;
  out[17] = 8;  // 8 alpha bits, origin bottom left
  out.reserve(18 + image.Pixels.size());

  for (int y = h - 1; y >= 0; --y) {
    const std::uint8_t* row = image.Pixels.data() + static_cast<std::size_t>(y) * w * 4;
    if (encoding == TTgaEncoding::RunLength)
      EncodeRow(out, row, w);
    else
      for (int x = 0; x < w; ++x) PutPixel(out, row + 4 * x);
  }
  return out;
}

void WriteTga(const std::string& path, const TRgbaImage& image, TTgaEncoding encoding) {
  WriteFileBytes(path, EncodeTga(image, encoding));
}
