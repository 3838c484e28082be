#include "engine/QRN2Draw.h"

#include <GL/glu.h>

#include "engine/RenderScale.h"

namespace {
void Switch(GLenum capability, bool on) {
  if (on)
    glEnable(capability);
  else
    glDisable(capability);
}
}  // namespace

void SetBlending(TBlend blend) {
  if (blend == TBlend::Off) {
    glDisable(GL_BLEND);
    return;
  }
  glEnable(GL_BLEND);
  switch (blend) {
    case TBlend::Alpha: glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
    case TBlend::AddAlpha: glBlendFunc(GL_SRC_ALPHA, GL_ONE); break;
    case TBlend::AddColor: glBlendFunc(GL_SRC_COLOR, GL_ONE); break;
    case TBlend::MixColor: glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR); break;
    case TBlend::Off: break;
  }
}

void SetLighting(bool on) { Switch(GL_LIGHTING, on); }
void SetDepthTest(bool on) { Switch(GL_DEPTH_TEST, on); }
void SetColorMaterial(bool on) { Switch(GL_COLOR_MATERIAL, on); }
void SetFaceCulling(bool on) { Switch(GL_CULL_FACE, on); }
// Lines keep their look at any render scale.
void SetLineWidth(float width) { glLineWidth(width * static_cast<float>(CurrentRenderScale().Scale)); }

void SetClearColor(const TColor4& color) { glClearColor(color.r, color.g, color.b, color.a); }

TColor4 ClearColorValue() {
  GLfloat c[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
  return {c[0], c[1], c[2], c[3]};
}

void ClearColorBuffer() { glClear(GL_COLOR_BUFFER_BIT); }
void ClearColorAndDepth() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void SetColor(const TColor4& color) { glColor4f(color.r, color.g, color.b, color.a); }
void SetColor3(float r, float g, float b) { glColor3f(r, g, b); }
void SetColorBytes(signed char r, signed char g, signed char b) { glColor3b(r, g, b); }

void PushMatrix() { glPushMatrix(); }
void PopMatrix() { glPopMatrix(); }
void LoadIdentityMatrix() { glLoadIdentity(); }
void TranslateMatrix(float x, float y, float z) { glTranslatef(x, y, z); }
void ScaleMatrix(float x, float y, float z) { glScalef(x, y, z); }
void RotateMatrix(float degrees, float x, float y, float z) { glRotatef(degrees, x, y, z); }

void LookAt(const TVertex& eye, const TVertex& centre, const TVertex& up) {
  gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
}

void DrawQuads(const TVertex* corners, int count) {
  glBegin(GL_QUADS);
  for (int i = 0; i < count; ++i) glVertex3f(corners[i].x, corners[i].y, corners[i].z);
  glEnd();
}

void DrawTexturedQuads(const TTexturedCorner* corners, int count) {
  glBegin(GL_QUADS);
  for (int i = 0; i < count; ++i) {
    glTexCoord2f(corners[i].Uv.u, corners[i].Uv.v);
    glVertex3f(corners[i].Position.x, corners[i].Position.y, corners[i].Position.z);
  }
  glEnd();
}
