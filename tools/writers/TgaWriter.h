// TgaWriter: 32-bit true-colour TGA images with alpha, uncompressed (type 2)
// or run-length encoded (type 10), stored bottom row first as the demo's
// loaders expect. Needs nothing but the standard library.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class TTgaEncoding { Uncompressed, RunLength };

// Straight (not premultiplied) RGBA, 4 bytes a pixel, top row first.
struct TRgbaImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;
};

// The whole file. Throws std::invalid_argument for sizes TGA can't hold or a
// pixel buffer that doesn't match them.
std::vector<std::uint8_t> EncodeTga(const TRgbaImage& image, TTgaEncoding encoding);

// Throws std::runtime_error when the file can't be written.
void WriteTga(const std::string& path, const TRgbaImage& image, TTgaEncoding encoding);
