// PngWrite: stb's PNG writer over rows turned upright.
#include "platform/PngWrite.h"

#include <stb/stb_image_write.h>

#include <vector>

bool WriteFramePng(const std::string& path, int width, int height, const std::uint8_t* rgba) {
  if (width <= 0 || height <= 0) return false;
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = rgba + static_cast<std::size_t>(height - 1 - y) * width * 4;
    std::uint8_t* to = rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) to[x * 3 + c] = from[x * 4 + c];
  }
  return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}
