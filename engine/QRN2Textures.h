// QRN2Textures: image files (BMP, JPEG, TGA) to mipmapped OpenGL textures,
// from a file or from the program's own resources. Every call makes a new
// texture; sharing by name is the texture registry's job (QRN2Materials).
// Failures are shown through ShowMessage and leave `Texture` unchanged.
// Needs: a current GL context for the Create/Load operations; GLU; the
// decoders, platform/Files and platform/Message.
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/PixelImage.h"

// New textures clamp (true) or repeat (false) in S and T. Initially false.
extern bool TextureClamp;
// Filters of CreateTGATexture: 0 nearest, 1 linear, 2 linear with linear
// mipmap blending; any other value sets none. Initially 2.
extern std::uint8_t TextureFilter;

void SetTextureClamp(bool Value);

// A new mipmapped texture from bottom-up pixels, left bound. Format GL_RGBA
// keeps alpha; anything else is taken as GL_RGB. Filters: linear, linear
// mipmap nearest.
GLuint CreateTexture(std::uint16_t Width, std::uint16_t Height, GLenum Format, const void* Pixels);

bool LoadBMPTexture(const std::string& FileName, GLuint& Texture, bool FromResource);
bool LoadJPGTexture(const std::string& FileName, GLuint& Texture, bool FromResource);
bool LoadTGATexture(const std::string& FileName, GLuint& Texture, bool FromResource);
// Picks the loader by the last four characters (".bmp", ".jpg", ".tga" in
// any case); other names load nothing and say nothing.
void LoadTexture(const std::string& FileName, GLuint& Texture, bool FromResource);

// The loaders' first half: bytes to pixels, with the loaders' messages on
// failure. No GL needed.
bool ReadBMPImage(const std::string& FileName, bool FromResource, TPixelImage& Image);
bool ReadJPGImage(const std::string& FileName, bool FromResource, TPixelImage& Image);
bool ReadTGAImage(const std::string& FileName, bool FromResource, TPixelImage& Image);

// The shared creation steps with the given filters (Set false: none set).
// `Owner`, when given, is the vector that holds `Pixels`: a deferred upload
// (TextureUploads) takes it instead of a copy.
struct TTextureFilters {
  bool Set;
  GLint Mag, Min;
};
GLuint BuildTexture(std::uint16_t Width, std::uint16_t Height, GLenum Format, const void* Pixels,
                    const TTextureFilters& Filters, std::vector<std::uint8_t>* Owner = nullptr);
GLenum ImageFormat(const TPixelImage& Image);  // GL_RGB or GL_RGBA

// The file read again into `Texture`, made by a load of the same name: its
// pixels replaced in place, its wrap and filters kept. A file that fails to
// read says so as the loaders do and leaves the texture as it was.
bool ReloadTexture(const std::string& FileName, GLuint Texture);

// Frees one texture made here; 0 is ignored, as GL ignores it.
void DeleteTexture(GLuint Texture);
