#include "support/TestImages.h"

#include <stdexcept>

#include "tools/writers/JpgWriter.h"

namespace {
void Put16(TBytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(TBytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
}  // namespace

TBytes TGABytes(const TTGAHeader& h, const TBytes& payload) {
  TBytes b = {h.IdLength, h.ColourMapType, h.ImageType, 0, 0, 0, 0, 0};
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, h.Width);
  Put16(b, h.Height);
  b.push_back(h.Depth);
  b.push_back(0);
  for (int i = 0; i < h.IdLength; ++i) b.push_back(0xEE);
  b.insert(b.end(), payload.begin(), payload.end());
  return b;
}

TBytes BMPBytes(const TBMPHeader& h, const TBytes& bits) {
  TBytes b = {'B', 'M'};
  Put32(b, static_cast<std::uint32_t>(54 + h.PaletteEntries * 4 + bits.size()));
  Put32(b, 0);
  Put32(b, 54 + h.PaletteEntries * 4);
  Put32(b, h.InfoSize);
  Put32(b, static_cast<std::uint32_t>(h.Width));
  Put32(b, static_cast<std::uint32_t>(h.Height));
  Put16(b, 1);
  Put16(b, h.BitCount);
  Put32(b, h.Compression);
  Put32(b, h.ImageSize);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, h.ColoursUsed);
  Put32(b, 0);
  for (std::uint32_t i = 0; i < h.PaletteEntries * 4; ++i) b.push_back(0);
  b.insert(b.end(), bits.begin(), bits.end());
  return b;
}

TBytes JPGBytes(int width, int height, const TBytes& rgb) {
  return EncodeJpg(width, height, rgb, {.Quality = 100});
}

TBytes SolidJPG(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  TBytes rgb;
  for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {r, g, b});
  return JPGBytes(width, height, rgb);
}
