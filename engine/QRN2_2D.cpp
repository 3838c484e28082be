// QRN2_2D: the four rectangle operations share one sequence and differ only
// in their colour and blending.
#include "engine/QRN2_2D.h"

#include "engine/QRN2Materials.h"
#include "engine/Quarn2.h"

namespace {
enum class TVariant { Plain, Tinted, Additive, ColorAdditive };

void DrawRectangle(TVariant variant, GLuint Texture, TColor4 Tint, float X, float Y, float W, float H) {
  glEnable(GL_TEXTURE_2D);
  glColor4f(Tint.r, Tint.g, Tint.b, Tint.a);
  glBindTexture(GL_TEXTURE_2D, Texture);
  switch (variant) {
    case TVariant::Plain:
      glEnable(GL_COLOR_MATERIAL);
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case TVariant::Tinted:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glDisable(GL_FOG);
      break;
    case TVariant::Additive:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    case TVariant::ColorAdditive:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_COLOR, GL_ONE);
      break;
  }
  Enter2DState();
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(X, Y, 0);
  glTexCoord2f(1, 0);
  glVertex3f(X + W, Y, 0);
  glTexCoord2f(1, 1);
  glVertex3f(X + W, Y + H, 0);
  glTexCoord2f(0, 1);
  glVertex3f(X, Y + H, 0);
  glEnd();
  Leave2DState();
}
}  // namespace

void Begin2D() {
  glPushMatrix();
  ResetDrawState();
  glLoadIdentity();
  glTranslatef(0, 0, -1);
}

void End2D() { glPopMatrix(); }

void DrawImage(GLuint Texture, float X, float Y, float W, float H) {
  DrawRectangle(TVariant::Plain, Texture, {1, 1, 1, 1}, X, Y, W, H);
}

void DrawImageTinted(GLuint Texture, const TColor4& Tint, float X, float Y, float W, float H) {
  DrawRectangle(TVariant::Tinted, Texture, Tint, X, Y, W, H);
}

void DrawImageAdditive(GLuint Texture, const TColor4& Tint, float X, float Y, float W, float H) {
  DrawRectangle(TVariant::Additive, Texture, Tint, X, Y, W, H);
}

void DrawImageColorAdditive(GLuint Texture, const TColor4& Tint, float X, float Y, float W, float H) {
  DrawRectangle(TVariant::ColorAdditive, Texture, Tint, X, Y, W, H);
}

void OrthoProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, static_cast<double>(CurrentWindow.Width), 0, static_cast<double>(CurrentWindow.Height), -1, 1);
  glMatrixMode(GL_MODELVIEW);
}

void PerspectiveProjection() { PerspectiveProjection(4.0 / 3.0); }

void Enter2DState() {
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  OrthoProjection();
}

void Leave2DState() {
  PerspectiveProjection();
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
}
