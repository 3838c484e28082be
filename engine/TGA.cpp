#include "engine/TGA.h"

#include "engine/QRN2Textures.h"

namespace {
TTextureFilters TGAFilters() {
  switch (TextureFilter) {
    case 0: return {true, GL_NEAREST, GL_NEAREST};
    case 1: return {true, GL_LINEAR, GL_LINEAR};
    case 2: return {true, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR};
    default: return {false, 0, 0};
  }
}
}  // namespace

GLuint CreateTGATexture(std::uint16_t Width, std::uint16_t Height, GLenum Format, const void* Pixels) {
  return BuildTexture(Width, Height, Format, Pixels, TGAFilters());
}

bool LoadTGAFile(const std::string& FileName, GLuint& Texture) {
  TPixelImage image;
  if (!ReadTGAImage(FileName, false, image)) return false;
  Texture = BuildTexture(image.Width, image.Height, ImageFormat(image), image.Pixels.data(), TGAFilters(),
                         &image.Pixels);
  return true;
}
