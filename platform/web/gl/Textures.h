// Textures: texture objects on unit 0 with the legacy internal formats (3,
// 4) and GL_CLAMP, the texture environment (GL_MODULATE), sphere-map and
// default eye-linear texture coordinate generation, and the pixel store.
// The layer keeps each object's sizes and parameters: fixed-function GL
// draws untextured with an incomplete texture, where ES would sample black,
// and GL_CLAMP's border (ES has none) is blended in by the shader.
// Needs: Layer (context, errors, the GLES table).
#pragma once
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace gl1 {

constexpr int MaxLevels = 16;

struct TTextureRecord {
  GLenum WrapS = GL_REPEAT, WrapT = GL_REPEAT;  // as given: GL_CLAMP is kept
  GLenum MinFilter = GL_NEAREST_MIPMAP_LINEAR, MagFilter = GL_LINEAR;
  std::array<int, MaxLevels> Width{}, Height{};  // 0: level not defined
  int Channels = 0;  // of level 0's internal format: 3 samples alpha 1, border or not
};

struct TTextureState {
  std::unordered_map<GLuint, TTextureRecord> Records;
  GLuint Bound = 0;
  GLint UnpackAlignment = 4, PackAlignment = 4;
  bool Texture2D = false, GenS = false, GenT = false;
  GLenum GenMode[2] = {GL_EYE_LINEAR, GL_EYE_LINEAR};  // GL's default planes
};

// The bound texture's record, or null when texturing would draw nothing:
// GL_TEXTURE_2D off, or the texture incomplete.
const TTextureRecord* ActiveTexture();
bool Complete(const TTextureRecord& t);
bool UsesMipmaps(GLenum minFilter);

// One level of the bound texture from `pixels` (rows padded to `alignment`),
// with the checks and conversions of glTexImage2D. Records a GL error and
// returns false on bad arguments.
bool DefineLevel(GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                 GLenum type, const void* pixels, GLint alignment);

// Channels of a format or legacy internal format (1-4, GL_RGB, GL_RGBA);
// 0 for anything else.
int ChannelsOf(GLint format);

}  // namespace gl1
