#include "platform/web/gl/Lighting.h"

#include <cmath>
#include <cstring>

#include "platform/web/gl/Layer.h"

namespace gl1 {

void TrackColorMaterial(const float color[4]) {
  TLightingState& l = Ctx.Lighting;
  if (!l.ColorMaterial) return;
  for (TMaterial* m : {&l.Front, &l.Back}) {
    std::memcpy(m->Ambient, color, sizeof m->Ambient);
    std::memcpy(m->Diffuse, color, sizeof m->Diffuse);
  }
}

namespace {
void SetMaterial(GLenum face, GLenum pname, const GLfloat* params) {
  if (!Change()) return;
  if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) return RecordError(GL_INVALID_ENUM);
  float* field[2] = {nullptr, nullptr};
  TMaterial* faces[2] = {&Ctx.Lighting.Front, &Ctx.Lighting.Back};
  for (int i = 0; i < 2; ++i) {
    TMaterial& m = *faces[i];
    switch (pname) {
      case GL_AMBIENT: field[i] = m.Ambient; break;
      case GL_DIFFUSE: field[i] = m.Diffuse; break;
      case GL_SPECULAR: field[i] = m.Specular; break;
      case GL_EMISSION: field[i] = m.Emission; break;
      case GL_SHININESS:
        if (params[0] < 0 || params[0] > 128) return RecordError(GL_INVALID_VALUE);
        field[i] = &m.Shininess;
        break;
      default: return RecordError(GL_INVALID_ENUM);
    }
  }
  const std::size_t bytes = pname == GL_SHININESS ? sizeof(float) : 4 * sizeof(float);
  if (face != GL_BACK) std::memcpy(field[0], params, bytes);
  if (face != GL_FRONT) std::memcpy(field[1], params, bytes);
}
}  // namespace

}  // namespace gl1

using namespace gl1;

extern "C" {

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (!Change()) return;
  // The engine has one light; others are not drawn, so they are refused.
  if (light != GL_LIGHT0) return RecordError(GL_INVALID_ENUM);
  TLightSource& l = Ctx.Lighting.Light0Params;
  switch (pname) {
    case GL_AMBIENT: std::memcpy(l.Ambient, params, sizeof l.Ambient); break;
    case GL_DIFFUSE: std::memcpy(l.Diffuse, params, sizeof l.Diffuse); break;
    case GL_SPECULAR: std::memcpy(l.Specular, params, sizeof l.Specular); break;
    case GL_POSITION: {
      const std::array<float, 4> eye = Transform(Ctx.Matrices.ModelView.Top(), params);
      std::memcpy(l.EyePosition, eye.data(), sizeof l.EyePosition);
      break;
    }
    default: RecordError(GL_INVALID_ENUM);
  }
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) { SetMaterial(face, pname, params); }

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
  if (pname != GL_SHININESS) {
    if (Change()) RecordError(GL_INVALID_ENUM);
    return;
  }
  SetMaterial(face, pname, &param);
}

}  // extern "C"
