#include "engine/TGA.h"

#include "engine/QRN2Textures.h"

GLuint CreateTGATexture(std::uint16_t Width, std::uint16_t Height, GLenum Format, const void* Pixels) {
  TTextureFilters filters{false, 0, 0};
  switch (TextureFilter) {
    case 0: filters = {true, GL_NEAREST, GL_NEAREST}; break;
    case 1: filters = {true, GL_LINEAR, GL_LINEAR}; break;
    case 2: filters = {true, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR}; break;
    default: break;
  }
  return BuildTexture(Width, Height, Format, Pixels, filters);
}

bool LoadTGAFile(const std::string& FileName, GLuint& Texture) {
  TPixelImage image;
  if (!ReadTGAImage(FileName, false, image)) return false;
  Texture = CreateTGATexture(image.Width, image.Height, ImageFormat(image), image.Pixels.data());
  return true;
}
