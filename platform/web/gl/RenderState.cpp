#include "platform/web/gl/RenderState.h"

#include "platform/web/gl/Layer.h"

namespace gl1 {

void ApplyRenderState() {
  const TGles& gl = Ctx.Gles;
  const TRenderState& r = Ctx.Render;
  (r.Blend ? gl.Enable : gl.Disable)(GL_BLEND);
  (r.DepthTest ? gl.Enable : gl.Disable)(GL_DEPTH_TEST);
  (r.CullFace ? gl.Enable : gl.Disable)(GL_CULL_FACE);
  gl.BlendFunc(r.BlendSrc, r.BlendDst);
  gl.DepthFunc(r.DepthFunc);
  gl.ClearColor(r.ClearColor[0], r.ClearColor[1], r.ClearColor[2], r.ClearColor[3]);
  gl.ClearDepthf(r.ClearDepth);
  gl.Viewport(r.Viewport[0], r.Viewport[1], r.Viewport[2], r.Viewport[3]);
}

namespace {
// The capability's flag in the layer's state, or null for one it lacks.
bool* Flag(GLenum cap) {
  switch (cap) {
    case GL_BLEND: return &Ctx.Render.Blend;
    case GL_DEPTH_TEST: return &Ctx.Render.DepthTest;
    case GL_CULL_FACE: return &Ctx.Render.CullFace;
    case GL_LIGHTING: return &Ctx.Lighting.Lighting;
    case GL_LIGHT0: return &Ctx.Lighting.Light0;
    case GL_NORMALIZE: return &Ctx.Lighting.Normalize;
    case GL_COLOR_MATERIAL: return &Ctx.Lighting.ColorMaterial;
    case GL_TEXTURE_2D: return &Ctx.Textures.Texture2D;
    case GL_TEXTURE_GEN_S: return &Ctx.Textures.GenS;
    case GL_TEXTURE_GEN_T: return &Ctx.Textures.GenT;
    default: return nullptr;
  }
}

bool PassedToGles(GLenum cap) { return cap == GL_BLEND || cap == GL_DEPTH_TEST || cap == GL_CULL_FACE; }

void Switch(GLenum cap, bool on) {
  if (!Change()) return;
  // Fog is off and stays off: switching it off is what the engine does.
  if (cap == GL_FOG && !on) return;
  bool* flag = Flag(cap);
  if (!flag) return RecordError(GL_INVALID_ENUM);
  const bool was = *flag;
  *flag = on;
  if (PassedToGles(cap)) (on ? Ctx.Gles.Enable : Ctx.Gles.Disable)(cap);
  if (cap == GL_COLOR_MATERIAL && on && !was) TrackColorMaterial(Ctx.Vertex.Current.Color);
}

bool ValidDepthFunc(GLenum f) { return f >= GL_NEVER && f <= GL_ALWAYS; }
}  // namespace

}  // namespace gl1

using namespace gl1;

extern "C" {

void glEnable(GLenum cap) { Switch(cap, true); }
void glDisable(GLenum cap) { Switch(cap, false); }

void glBlendFunc(GLenum sfactor, GLenum dfactor) {
  if (!Change()) return;
  Ctx.Render.BlendSrc = sfactor;
  Ctx.Render.BlendDst = dfactor;
  Ctx.Gles.BlendFunc(sfactor, dfactor);  // ES checks the factors
}

void glDepthFunc(GLenum func) {
  if (!Change()) return;
  if (!ValidDepthFunc(func)) return RecordError(GL_INVALID_ENUM);
  Ctx.Render.DepthFunc = func;
  Ctx.Gles.DepthFunc(func);
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  if (!Change()) return;
  // GL 1.x clamps the clear colour when it is given.
  const float in[4] = {r, g, b, a};
  for (int i = 0; i < 4; ++i) Ctx.Render.ClearColor[i] = in[i] < 0 ? 0 : in[i] > 1 ? 1 : in[i];
  const float* c = Ctx.Render.ClearColor;
  Ctx.Gles.ClearColor(c[0], c[1], c[2], c[3]);
}

void glClearDepth(GLclampd depth) {
  if (!Change()) return;
  Ctx.Render.ClearDepth = static_cast<float>(depth < 0 ? 0 : depth > 1 ? 1 : depth);
  Ctx.Gles.ClearDepthf(Ctx.Render.ClearDepth);
}

void glClear(GLbitfield mask) {
  if (!Change()) return;
  if (mask & ~static_cast<GLbitfield>(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT))
    return RecordError(GL_INVALID_VALUE);
  Ctx.Gles.Clear(mask);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (!Change()) return;
  if (width < 0 || height < 0) return RecordError(GL_INVALID_VALUE);
  GLint* v = Ctx.Render.Viewport;
  v[0] = x;
  v[1] = y;
  v[2] = width;
  v[3] = height;
  Ctx.Gles.Viewport(x, y, width, height);
}

void glLineWidth(GLfloat width) {
  if (!Change()) return;
  if (!(width > 0)) return RecordError(GL_INVALID_VALUE);
  // Wider lines become quads (Batch); ES draws only the 1-pixel ones.
  Ctx.Render.LineWidth = width;
}

void glHint(GLenum target, GLenum mode) {
  if (!Change()) return;
  if (target != GL_PERSPECTIVE_CORRECTION_HINT || (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE))
    RecordError(GL_INVALID_ENUM);
  // Varyings are always interpolated with perspective: nothing to set.
}

void glShadeModel(GLenum mode) {
  if (!Change()) return;
  // Smooth is the default and the only model the shaders have.
  if (mode != GL_SMOOTH) RecordError(GL_INVALID_ENUM);
}

}  // extern "C"
