// TGADecoder: uncompressed and run-length true-colour Targa files (24 and
// 32 bits) to an RGB or RGBA pixel image.
// Needs: PixelImage. No GL and no files, so it can be fuzzed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/PixelImage.h"

enum class TTGAStatus {
  Ok,
  BadImageType,   // image type neither 2 nor 10
  ColorMapped,    // a colour map is present
  BadPixelDepth,  // neither 24 nor 32 bits per pixel
  ShortData,      // header or pixels missing, or sizes no picture has
};

// Reads a whole .tga file. Rows are taken in file order (bottom-left origin
// assumed). `image` is only filled on Ok.
TTGAStatus DecodeTGA(const std::uint8_t* data, std::size_t size, TPixelImage& image);
