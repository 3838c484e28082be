// Builders of small image files for the loader tests: TGA and BMP written
// field by field (so damaged variants are easy), JPEG through libjpeg.
#pragma once
#include <cstdint>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

struct TTGAHeader {
  std::uint8_t IdLength = 0;
  std::uint8_t ColourMapType = 0;
  std::uint8_t ImageType = 2;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::uint8_t Depth = 24;
};
// Header, `IdLength` bytes of image ID, then `payload` as given.
TBytes TGABytes(const TTGAHeader& header, const TBytes& payload);

struct TBMPHeader {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint32_t InfoSize = 40;
  std::uint16_t BitCount = 24;
  std::uint32_t Compression = 0;
  std::uint32_t ImageSize = 0;
  std::uint32_t ColoursUsed = 0;
  std::uint32_t PaletteEntries = 0;  // written after the header
};
// The 54 header bytes, the palette entries, then `bits` as stored.
TBytes BMPBytes(const TBMPHeader& header, const TBytes& bits);

// A baseline JPEG of RGB pixels given top row first, 4:4:4, quality 100.
TBytes JPGBytes(int width, int height, const TBytes& rgbTopFirst);
// A w x h JPEG in one colour.
TBytes SolidJPG(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);
