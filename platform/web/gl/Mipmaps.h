// Mipmaps: gluBuild2DMipmaps for the engine's textures, with every level
// built here on the CPU by GLU's box filter (2x2 averages rounded to
// nearest, pairs truncated once a side reaches 1), so the levels match a
// desktop GLU's byte for byte. Sides must be powers of two within
// GL_MAX_TEXTURE_SIZE (the engine resamples first); GLU would rescale.
// Needs: Layer and Textures for the upload; the filter itself needs no GL.
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace gl1 {

struct TImage {
  int Width = 0, Height = 0, Channels = 0;
  std::vector<std::uint8_t> Pixels;  // rows tightly packed, bottom row first
};

// The next smaller level of a power-of-two image larger than 1x1.
TImage HalveImage(const TImage& image);
// Level 0 (rows of `pixels` padded to `alignment`) and every level below
// it down to 1x1.
std::vector<TImage> MipmapChain(const std::uint8_t* pixels, int width, int height, int channels, int alignment);

}  // namespace gl1
