#include "engine/PixelImage.h"

bool ImageSizeAllowed(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1 || width > 65535 || height > 65535) return false;
  return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= MaxImagePixels;
}
