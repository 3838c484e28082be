#include "platform/web/gl/Mipmaps.h"

#include <GL/glu.h>

#include <cstring>

#include "platform/web/gl/Layer.h"

namespace gl1 {

TImage HalveImage(const TImage& in) {
  TImage out;
  out.Channels = in.Channels;
  out.Width = in.Width > 1 ? in.Width / 2 : 1;
  out.Height = in.Height > 1 ? in.Height / 2 : 1;
  out.Pixels.resize(static_cast<std::size_t>(out.Width) * out.Height * out.Channels);
  const int c = in.Channels;
  const std::size_t row = static_cast<std::size_t>(in.Width) * c;
  auto at = [&](int x, int y, int k) { return static_cast<unsigned>(in.Pixels[y * row + x * c + k]); };
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x)
      for (int k = 0; k < c; ++k) {
        unsigned v;
        if (in.Width > 1 && in.Height > 1)
          v = (at(2 * x, 2 * y, k) + at(2 * x + 1, 2 * y, k) + at(2 * x, 2 * y + 1, k) +
               at(2 * x + 1, 2 * y + 1, k) + 2) / 4;
        else if (in.Width > 1)
          v = (at(2 * x, y, k) + at(2 * x + 1, y, k)) / 2;
        else
          v = (at(x, 2 * y, k) + at(x, 2 * y + 1, k)) / 2;
        out.Pixels[(static_cast<std::size_t>(y) * out.Width + x) * c + k] = static_cast<std::uint8_t>(v);
      }
  return out;
}

std::vector<TImage> MipmapChain(const std::uint8_t* pixels, int width, int height, int channels, int alignment) {
  std::vector<TImage> levels(1);
  TImage& base = levels[0];
  base.Width = width;
  base.Height = height;
  base.Channels = channels;
  const std::size_t row = static_cast<std::size_t>(width) * channels;
  const std::size_t stride = (row + alignment - 1) / alignment * alignment;
  base.Pixels.resize(row * height);
  for (int y = 0; y < height; ++y) std::memcpy(&base.Pixels[y * row], pixels + y * stride, row);
  while (levels.back().Width > 1 || levels.back().Height > 1) levels.push_back(HalveImage(levels.back()));
  return levels;
}

namespace {
bool PowerOfTwo(GLsizei n) { return n > 0 && (n & (n - 1)) == 0; }
}  // namespace

}  // namespace gl1

using namespace gl1;

extern "C" {

GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* data) {
  if (!Change()) return GLU_INVALID_OPERATION;
  if (width < 1 || height < 1) return GLU_INVALID_VALUE;
  const int channels = ChannelsOf(static_cast<GLint>(format));
  if (target != GL_TEXTURE_2D || (format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE ||
      ChannelsOf(internalFormat) == 0)
    return GLU_INVALID_ENUM;
  GLint most = 0;
  Ctx.Gles.GetIntegerv(GL_MAX_TEXTURE_SIZE, &most);
  if (!PowerOfTwo(width) || !PowerOfTwo(height) || width > most || height > most || !data) return GLU_INVALID_VALUE;
  const std::vector<TImage> levels = MipmapChain(static_cast<const std::uint8_t*>(data), width, height, channels,
                                                 Ctx.Textures.UnpackAlignment);
  for (std::size_t i = 0; i < levels.size(); ++i)
    if (!DefineLevel(static_cast<GLint>(i), internalFormat, levels[i].Width, levels[i].Height, format, type,
                     levels[i].Pixels.data(), 1))
      return GLU_INVALID_VALUE;
  return 0;
}

}  // extern "C"
