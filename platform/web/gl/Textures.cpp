#include "platform/web/gl/Textures.h"

#include <cstring>

#include "platform/web/gl/Layer.h"

namespace gl1 {

bool UsesMipmaps(GLenum f) { return f != GL_NEAREST && f != GL_LINEAR; }

bool Complete(const TTextureRecord& t) {
  if (t.Width[0] <= 0 || t.Height[0] <= 0) return false;
  if (!UsesMipmaps(t.MinFilter)) return true;
  int w = t.Width[0], h = t.Height[0];
  for (int level = 1; level < MaxLevels && (w > 1 || h > 1); ++level) {
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
    if (t.Width[level] != w || t.Height[level] != h) return false;
  }
  return true;
}

const TTextureRecord* ActiveTexture() {
  if (!Ctx.Textures.Texture2D) return nullptr;
  const auto it = Ctx.Textures.Records.find(Ctx.Textures.Bound);
  if (it == Ctx.Textures.Records.end() || !Complete(it->second)) return nullptr;
  return &it->second;
}

int ChannelsOf(GLint format) {
  switch (format) {
    case 3:
    case GL_RGB: return 3;
    case 4:
    case GL_RGBA: return 4;
    default: return 0;
  }
}

bool DefineLevel(GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                 GLenum type, const void* pixels, GLint alignment) {
  const int stored = ChannelsOf(internalFormat), given = ChannelsOf(static_cast<GLint>(format));
  if (stored == 0 || given == 0 || (format != GL_RGB && format != GL_RGBA) || type != GL_UNSIGNED_BYTE) {
    RecordError(GL_INVALID_ENUM);
    return false;
  }
  if (level < 0 || level >= MaxLevels || width < 0 || height < 0 || width > (1 << 15) || height > (1 << 15)) {
    RecordError(GL_INVALID_VALUE);
    return false;
  }
  // ES wants the data in the stored format: convert when they differ.
  const GLenum esFormat = stored == 4 ? GL_RGBA : GL_RGB;
  std::vector<std::uint8_t> converted;
  GLint uploadAlignment = alignment;
  if (pixels && stored != given) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * given;
    const std::size_t stride = (rowBytes + alignment - 1) / alignment * alignment;
    converted.resize(static_cast<std::size_t>(width) * height * stored);
    const auto* src = static_cast<const std::uint8_t*>(pixels);
    for (GLsizei y = 0; y < height; ++y)
      for (GLsizei x = 0; x < width; ++x) {
        const std::uint8_t* s = src + y * stride + static_cast<std::size_t>(x) * given;
        std::uint8_t* d = &converted[(static_cast<std::size_t>(y) * width + x) * stored];
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        if (stored == 4) d[3] = 255;
      }
    pixels = converted.data();
    uploadAlignment = 1;
  }
  const TGles& gl = Ctx.Gles;
  if (uploadAlignment != Ctx.Textures.UnpackAlignment) gl.PixelStorei(GL_UNPACK_ALIGNMENT, uploadAlignment);
  gl.TexImage2D(GL_TEXTURE_2D, level, static_cast<GLint>(esFormat), width, height, 0, esFormat, GL_UNSIGNED_BYTE,
                pixels);
  if (uploadAlignment != Ctx.Textures.UnpackAlignment)
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, Ctx.Textures.UnpackAlignment);
  TTextureRecord& record = Ctx.Textures.Records[Ctx.Textures.Bound];
  record.Width[level] = width;
  record.Height[level] = height;
  if (level == 0) record.Channels = stored;
  return true;
}

}  // namespace gl1

using namespace gl1;

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures) {
  if (!Change()) return;
  if (n < 0) return RecordError(GL_INVALID_VALUE);
  Ctx.Gles.GenTextures(n, textures);
  for (GLsizei i = 0; i < n; ++i) Ctx.Textures.Records[textures[i]] = TTextureRecord{};
}

void glDeleteTextures(GLsizei n, const GLuint* textures) {
  if (!Change()) return;
  if (n < 0) return RecordError(GL_INVALID_VALUE);
  for (GLsizei i = 0; i < n; ++i) {
    if (textures[i] == 0) continue;  // the default texture cannot be deleted
    Ctx.Textures.Records.erase(textures[i]);
    if (Ctx.Textures.Bound == textures[i]) Ctx.Textures.Bound = 0;
  }
  Ctx.Gles.DeleteTextures(n, textures);
}

void glBindTexture(GLenum target, GLuint texture) {
  if (!Change()) return;
  if (target != GL_TEXTURE_2D) return RecordError(GL_INVALID_ENUM);
  Ctx.Textures.Bound = texture;
  Ctx.Textures.Records.try_emplace(texture);
  Ctx.Gles.BindTexture(GL_TEXTURE_2D, texture);
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
  if (!Change()) return;
  if (target != GL_TEXTURE_2D) return RecordError(GL_INVALID_ENUM);
  TTextureRecord& t = Ctx.Textures.Records[Ctx.Textures.Bound];
  const auto p = static_cast<GLenum>(param);
  switch (pname) {
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
      if (p != GL_REPEAT && p != GL_CLAMP && p != GL_CLAMP_TO_EDGE) return RecordError(GL_INVALID_ENUM);
      (pname == GL_TEXTURE_WRAP_S ? t.WrapS : t.WrapT) = p;
      // GL_CLAMP samples the edge texels as ES's clamp-to-edge does; the
      // border's share is the shader's.
      Ctx.Gles.TexParameteri(GL_TEXTURE_2D, pname, p == GL_REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE);
      return;
    case GL_TEXTURE_MAG_FILTER:
      if (p != GL_NEAREST && p != GL_LINEAR) return RecordError(GL_INVALID_ENUM);
      t.MagFilter = p;
      break;
    case GL_TEXTURE_MIN_FILTER:
      if (p != GL_NEAREST && p != GL_LINEAR && p != GL_NEAREST_MIPMAP_NEAREST && p != GL_LINEAR_MIPMAP_NEAREST &&
          p != GL_NEAREST_MIPMAP_LINEAR && p != GL_LINEAR_MIPMAP_LINEAR)
        return RecordError(GL_INVALID_ENUM);
      t.MinFilter = p;
      break;
    default: return RecordError(GL_INVALID_ENUM);
  }
  Ctx.Gles.TexParameteri(GL_TEXTURE_2D, pname, param);
}

void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels) {
  if (!Change()) return;
  if (target != GL_TEXTURE_2D) return RecordError(GL_INVALID_ENUM);
  if (border != 0) return RecordError(GL_INVALID_VALUE);
  DefineLevel(level, internalformat, width, height, format, type, pixels, Ctx.Textures.UnpackAlignment);
}

void glCopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y,
                         GLsizei width, GLsizei height) {
  if (!Change()) return;
  if (target != GL_TEXTURE_2D) return RecordError(GL_INVALID_ENUM);
  Ctx.Gles.CopyTexSubImage2D(target, level, xoffset, yoffset, x, y, width, height);
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) {
  if (!Change()) return;
  // Modulate is the default and the only mode the shaders have.
  if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE || param != GL_MODULATE)
    RecordError(GL_INVALID_ENUM);
}

void glTexGenf(GLenum coord, GLenum pname, GLfloat param) {
  if (!Change()) return;
  const auto mode = static_cast<GLenum>(param);
  if ((coord != GL_S && coord != GL_T) || pname != GL_TEXTURE_GEN_MODE ||
      (mode != GL_SPHERE_MAP && mode != GL_EYE_LINEAR))
    return RecordError(GL_INVALID_ENUM);
  Ctx.Textures.GenMode[coord == GL_S ? 0 : 1] = mode;
}

void glPixelStorei(GLenum pname, GLint param) {
  if (!Change()) return;
  if (pname != GL_PACK_ALIGNMENT && pname != GL_UNPACK_ALIGNMENT) return RecordError(GL_INVALID_ENUM);
  if (param != 1 && param != 2 && param != 4 && param != 8) return RecordError(GL_INVALID_VALUE);
  (pname == GL_PACK_ALIGNMENT ? Ctx.Textures.PackAlignment : Ctx.Textures.UnpackAlignment) = param;
  Ctx.Gles.PixelStorei(pname, param);
}

}  // extern "C"
