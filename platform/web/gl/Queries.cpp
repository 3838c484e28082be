#include "platform/web/gl/Queries.h"

#include "platform/web/gl/Layer.h"

namespace gl1 {

GLenum TakeError() {
  TErrorFlags& e = Ctx.Errors;
  if (e.Count > 0) {
    const GLenum first = e.Pending[0];
    for (int i = 1; i < e.Count; ++i) e.Pending[i - 1] = e.Pending[i];
    --e.Count;
    return first;
  }
  return Ctx.Ready ? Ctx.Gles.GetError() : GL_NO_ERROR;
}

}  // namespace gl1

using namespace gl1;

extern "C" {

GLenum glGetError() {
  if (Ctx.Vertex.Inside) {
    RecordError(GL_INVALID_OPERATION);
    return GL_NO_ERROR;
  }
  // Errors of the batched draws belong to the calls before this one.
  Flush();
  return TakeError();
}

void glGetIntegerv(GLenum pname, GLint* params) {
  if (!Change()) return;
  switch (pname) {
    case GL_PACK_ALIGNMENT: *params = Ctx.Textures.PackAlignment; return;
    case GL_UNPACK_ALIGNMENT: *params = Ctx.Textures.UnpackAlignment; return;
    case GL_TEXTURE_BINDING_2D: *params = static_cast<GLint>(Ctx.Textures.Bound); return;
    // Limits are ES's own (GL_MAX_VIEWPORT_DIMS gives two values).
    case GL_MAX_TEXTURE_SIZE:
    case GL_MAX_RENDERBUFFER_SIZE:
    case GL_MAX_VIEWPORT_DIMS: Ctx.Gles.GetIntegerv(pname, params); return;
    default: RecordError(GL_INVALID_ENUM);
  }
}

void glGetFloatv(GLenum pname, GLfloat* params) {
  if (!Change()) return;
  if (pname != GL_COLOR_CLEAR_VALUE) return RecordError(GL_INVALID_ENUM);
  for (int i = 0; i < 4; ++i) params[i] = Ctx.Render.ClearColor[i];
}

const GLubyte* glGetString(GLenum name) {
  if (!Change()) return nullptr;
  switch (name) {
    case GL_VENDOR:
    case GL_RENDERER: return Ctx.Gles.GetString(name);
    // The GL this layer gives, not ES's version.
    case GL_VERSION: return reinterpret_cast<const GLubyte*>("1.3 gl1 over OpenGL ES 3.0");
    case GL_EXTENSIONS: return reinterpret_cast<const GLubyte*>("");
    default: RecordError(GL_INVALID_ENUM); return nullptr;
  }
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels) {
  if (Change()) Ctx.Gles.ReadPixels(x, y, width, height, format, type, pixels);
}

void glFlush() {
  if (Change()) Ctx.Gles.Flush();
}

void glFinish() {
  if (Change()) Ctx.Gles.Finish();
}

}  // extern "C"
