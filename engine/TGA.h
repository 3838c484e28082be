// TGA: the file-only TGA loader whose textures take their filters from
// TextureFilter (QRN2Textures) instead of the fixed ones of CreateTexture.
// Same reading, messages and wrap setting as LoadTGATexture.
// Needs: QRN2Textures, a current GL context.
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <string>

bool LoadTGAFile(const std::string& FileName, GLuint& Texture);
GLuint CreateTGATexture(std::uint16_t Width, std::uint16_t Height, GLenum Format, const void* Pixels);
