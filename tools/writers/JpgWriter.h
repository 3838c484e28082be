// JpgWriter: JPEG files from 8-bit RGB or grey pixels, through
// libjpeg-turbo's compressor; the one encoder of the media generator, the
// tests and the fuzz seeds. Needs libjpeg-turbo.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TJpgStyle {
  int Quality = 92;
  int Sampling = 1;            // chroma: 1 full resolution, 2 halved both ways (4:2:0)
  int Restart = 0;             // restart interval in MCU rows, 0 for none
  bool Grey = false;           // one component, one byte a pixel
  bool Progressive = false;
  bool OptimiseCoding = false; // Huffman tables fitted to the picture
};

// The whole file. `pixels`: RGB (or grey) rows, top row first. Throws
// std::invalid_argument when the pixel count doesn't match the size.
std::vector<std::uint8_t> EncodeJpg(int width, int height, const std::vector<std::uint8_t>& pixels,
                                    const TJpgStyle& style = {});

// Throws std::runtime_error when the file can't be written.
void WriteJpg(const std::string& path, int width, int height, const std::vector<std::uint8_t>& pixels,
              const TJpgStyle& style = {});
