// BMPDecoder: the pixel data follows the palette; the bits-offset field is
// not used. Rows are padded to 4 bytes on disk and stored bottom row first
// unless the height is negative.
#include "engine/BMPDecoder.h"

namespace {
constexpr std::size_t HeaderSize = 14 + 40;
}

TBMPStatus DecodeBMP(const std::uint8_t* data, std::size_t size, TPixelImage& image) {
  if (size < HeaderSize) return TBMPStatus::ShortHeader;
  const std::uint32_t infoSize = ReadLE32(data + 14);
  const std::int64_t width = static_cast<std::int32_t>(ReadLE32(data + 18));
  const std::int64_t height = static_cast<std::int32_t>(ReadLE32(data + 22));
  const std::uint16_t bitCount = ReadLE16(data + 28);
  const std::uint32_t compression = ReadLE32(data + 30);
  const std::uint32_t coloursUsed = ReadLE32(data + 46);
  if (infoSize != 40 || bitCount != 24 || compression != 0) return TBMPStatus::Unsupported;

  // The palette means nothing to a 24-bit picture; it is only skipped.
  const std::uint64_t paletteBytes = static_cast<std::uint64_t>(coloursUsed) * 4;
  if (size - HeaderSize < paletteBytes) return TBMPStatus::ShortPalette;

  const std::int64_t rows = height < 0 ? -height : height;
  if (!ImageSizeAllowed(width, rows)) return TBMPStatus::ShortData;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
  const std::size_t available = size - HeaderSize - paletteBytes;
  if (available / stride < static_cast<std::size_t>(rows)) return TBMPStatus::ShortData;

  const std::uint8_t* bits = data + HeaderSize + paletteBytes;
  std::vector<std::uint8_t> pixels(rowBytes * static_cast<std::size_t>(rows));
  for (std::size_t r = 0; r < static_cast<std::size_t>(rows); ++r) {
    const std::size_t stored = height > 0 ? r : static_cast<std::size_t>(rows) - 1 - r;
    const std::uint8_t* in = bits + stored * stride;
    std::uint8_t* out = pixels.data() + r * rowBytes;
    for (std::size_t x = 0; x < rowBytes; x += 3) {
      out[x] = in[x + 2];
      out[x + 1] = in[x + 1];
      out[x + 2] = in[x];
    }
  }
  image.Width = static_cast<std::uint16_t>(width);
  image.Height = static_cast<std::uint16_t>(rows);
  image.Channels = 3;
  image.Pixels = std::move(pixels);
  return TBMPStatus::Ok;
}
