// JpegOut: encodes RGB pictures as baseline JPEG with libjpeg-turbo at a
// fixed quality, full-resolution colour (no chroma subsampling, so lettering
// stays clean) and optimised Huffman tables.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mediagen/Canvas.h"

std::vector<std::uint8_t> EncodeJpeg(const TRgbImage& image, int quality = 92);
void WriteJpeg(const std::string& path, const TRgbImage& image, int quality = 92);
