// BMPDecoder: uncompressed 24-bit Windows bitmaps to an RGB pixel image.
// Needs: PixelImage. No GL and no files, so it can be fuzzed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/PixelImage.h"

enum class TBMPStatus {
  Ok,
  ShortHeader,   // fewer than the 14 + 40 header bytes
  ShortPalette,  // fewer palette bytes than the colours-used count asks for
  ShortData,     // pixel rows missing, or sizes no picture has
  Unsupported,   // not a plain 24-bit bitmap with a 40-byte header
};

// Reads a whole .bmp file. Rows stored with fill bytes and top-down bitmaps
// are converted; other bit counts and compressed bitmaps are refused.
// `image` is only filled on Ok.
TBMPStatus DecodeBMP(const std::uint8_t* data, std::size_t size, TPixelImage& image);
