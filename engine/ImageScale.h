// ImageScale: resampling pictures to the power-of-two sizes their textures
// get. GLU's own rescaling leaves the top row unwritten when only the width
// changes (600 x 512 comes out with a black or random top row), so pictures
// are brought to power-of-two sides here before the mipmaps are built.
// Needs: nothing (no GL).
#pragma once
#include <cstdint>
#include <vector>

struct TImageSize {
  int Width, Height;
};

// The size GLU picks: each side rounded to the nearer power of two (by its
// two leading bits: 3 -> 4, 600 -> 512, 800 -> 1024), then both sides halved
// together until neither exceeds maxSide.
TImageSize PowerOfTwoSize(int width, int height, int maxSide);

// Area-average resampling of tightly packed 8-bit pixels; every output
// pixel is the coverage-weighted mean of the source pixels under it.
std::vector<std::uint8_t> ScalePixels(const std::uint8_t* pixels, int width, int height, int channels,
                                      int newWidth, int newHeight);
