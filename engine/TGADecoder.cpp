// TGADecoder: the checks run in the order type, colour map, depth, so that a
// file with several faults always gets the same complaint.
#include "engine/TGADecoder.h"

#include <algorithm>

namespace {
constexpr std::size_t HeaderSize = 18;

// BGR(A) on disk, RGB(A) in the image.
void CopyPixel(const std::uint8_t* in, std::uint8_t* out, std::size_t bytes) {
  out[0] = in[2];
  out[1] = in[1];
  out[2] = in[0];
  if (bytes == 4) out[3] = in[3];
}

// Run-length packets may cross row ends. A packet running past the last
// pixel is cut there; input that ends before the last pixel is a damaged file.
bool DecodeRuns(const std::uint8_t* in, std::size_t inSize, std::uint8_t* out, std::size_t pixels,
                std::size_t bytes) {
  std::size_t pos = 0, done = 0;
  while (done < pixels) {
    if (pos >= inSize) return false;
    const std::uint8_t count = in[pos++];
    const std::size_t n = std::min<std::size_t>((count & 0x7F) + 1, pixels - done);
    if (count < 128) {
      if ((inSize - pos) / bytes < n) return false;
      for (std::size_t i = 0; i < n; ++i, pos += bytes, ++done)
        CopyPixel(in + pos, out + done * bytes, bytes);
    } else {
      if (inSize - pos < bytes) return false;
      for (std::size_t i = 0; i < n; ++i, ++done) CopyPixel(in + pos, out + done * bytes, bytes);
      pos += bytes;
    }
  }
  return true;
}
}  // namespace

TTGAStatus DecodeTGA(const std::uint8_t* data, std::size_t size, TPixelImage& image) {
  if (size < HeaderSize) return TTGAStatus::ShortData;
  const std::uint8_t idLength = data[0];
  const std::uint8_t colourMapType = data[1];
  const std::uint8_t imageType = data[2];
  const std::uint16_t width = ReadLE16(data + 12);
  const std::uint16_t height = ReadLE16(data + 14);
  const std::uint8_t depth = data[16];
  if (imageType != 2 && imageType != 10) return TTGAStatus::BadImageType;
  if (colourMapType != 0) return TTGAStatus::ColorMapped;
  if (depth != 24 && depth != 32) return TTGAStatus::BadPixelDepth;

  // The optional image ID sits between the header and the pixels.
  const std::size_t start = HeaderSize + idLength;
  if (start > size || !ImageSizeAllowed(width, height)) return TTGAStatus::ShortData;
  const std::uint8_t* in = data + start;
  const std::size_t inSize = size - start;
  const std::size_t bytes = depth / 8;
  const std::size_t pixels = std::size_t{width} * height;

  if (imageType == 2) {
    if (inSize / bytes < pixels) return TTGAStatus::ShortData;
  } else {
    // Checked before allocating: one packet of 1 + bytes input gives at
    // most 128 pixels, so a tiny file cannot ask for a huge picture.
    const std::size_t packets = (inSize + bytes) / (1 + bytes);
    if (packets * 128 < pixels) return TTGAStatus::ShortData;
  }
  std::vector<std::uint8_t> out(pixels * bytes);
  if (imageType == 2) {
    for (std::size_t i = 0; i < pixels; ++i) CopyPixel(in + i * bytes, out.data() + i * bytes, bytes);
  } else if (!DecodeRuns(in, inSize, out.data(), pixels, bytes)) {
    return TTGAStatus::ShortData;
  }
  image.Width = width;
  image.Height = height;
  image.Channels = static_cast<int>(bytes);
  image.Pixels = std::move(out);
  return TTGAStatus::Ok;
}
