// PixelImage: a decoded picture in memory, ready for upload as a texture, and
// the size limits every image decoder applies before it allocates.
// Needs: nothing (no GL, no files).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// 8-bit channels in red, green, blue (, alpha) order, rows tightly packed and
// bottom row first (OpenGL's texture origin).
struct TPixelImage {
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  int Channels = 0;  // 3 or 4
  std::vector<std::uint8_t> Pixels;
};

// Beyond this a header is taken to be damaged rather than a picture we want:
// 8192 x 8192 is 256 MiB as RGBA.
constexpr std::uint64_t MaxImagePixels = 8192ull * 8192ull;

// Sides of 1 to 65535 (textures are made with 16-bit sizes) and at most
// MaxImagePixels in all.
bool ImageSizeAllowed(std::int64_t width, std::int64_t height);

// Little-endian fields of a byte stream; the caller has checked the bounds.
inline std::uint16_t ReadLE16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ReadLE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
