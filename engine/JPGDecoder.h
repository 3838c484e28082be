// JPGDecoder: JPEG files to an RGBA pixel image through libjpeg(-turbo).
// Needs: PixelImage, libjpeg. No GL and no files, so it can be fuzzed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/PixelImage.h"

// Decodes at full size, best quality, to RGB and adds alpha 255; the
// picture's bottom row becomes the image's first row. False for anything
// libjpeg reports, fatal or not (damaged or truncated data included), and for
// sizes beyond the image limits; `image` is only filled on success.
bool DecodeJPG(const std::uint8_t* data, std::size_t size, TPixelImage& image);
