#include "platform/web/gl/Matrices.h"

#include <cmath>

#include "platform/web/gl/Layer.h"

namespace gl1 {

TMat4 IdentityMatrix() {
  TMat4 r{};
  r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
  return r;
}

TMat4 Multiply(const TMat4& a, const TMat4& b) {
  TMat4 r{};
  for (int c = 0; c < 4; ++c)
    for (int row = 0; row < 4; ++row) {
      float s = 0.0f;
      for (int k = 0; k < 4; ++k) s += a.m[k * 4 + row] * b.m[c * 4 + k];
      r.m[c * 4 + row] = s;
    }
  return r;
}

TMat4 TranslationMatrix(float x, float y, float z) {
  TMat4 r = IdentityMatrix();
  r.m[12] = x;
  r.m[13] = y;
  r.m[14] = z;
  return r;
}

TMat4 ScaleMatrix(float x, float y, float z) {
  TMat4 r = IdentityMatrix();
  r.m[0] = x;
  r.m[5] = y;
  r.m[10] = z;
  return r;
}

TMat4 RotationMatrix(float degrees, float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0.0f || !std::isfinite(length)) return IdentityMatrix();
  x /= length;
  y /= length;
  z /= length;
  const double radians = static_cast<double>(degrees) * 3.14159265358979323846 / 180.0;
  const float s = static_cast<float>(std::sin(radians));
  const float c = static_cast<float>(std::cos(radians));
  const float t = 1.0f - c;
  TMat4 r = IdentityMatrix();
  r.m[0] = x * x * t + c;
  r.m[1] = y * x * t + z * s;
  r.m[2] = x * z * t - y * s;
  r.m[4] = x * y * t - z * s;
  r.m[5] = y * y * t + c;
  r.m[6] = y * z * t + x * s;
  r.m[8] = x * z * t + y * s;
  r.m[9] = y * z * t - x * s;
  r.m[10] = z * z * t + c;
  return r;
}

TMat4 OrthoMatrix(float left, float right, float bottom, float top, float zNear, float zFar) {
  TMat4 r = IdentityMatrix();
  r.m[0] = 2.0f / (right - left);
  r.m[5] = 2.0f / (top - bottom);
  r.m[10] = -2.0f / (zFar - zNear);
  r.m[12] = -(right + left) / (right - left);
  r.m[13] = -(top + bottom) / (top - bottom);
  r.m[14] = -(zFar + zNear) / (zFar - zNear);
  return r;
}

std::array<float, 9> NormalMatrix(const TMat4& mv) {
  // Upper 3x3 as a[row][col].
  auto a = [&](int row, int col) { return mv.m[col * 4 + row]; };
  const float c00 = a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1);
  const float c01 = a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2);
  const float c02 = a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0);
  const float det = a(0, 0) * c00 + a(0, 1) * c01 + a(0, 2) * c02;
  std::array<float, 9> n{};
  if (det == 0.0f || !std::isfinite(det)) return n;
  const float inv = 1.0f / det;
  // inverse(a)[i][j] = cofactor(j, i) / det; its transpose is cofactor(i, j) / det.
  const float cof[3][3] = {
      {c00, c01, c02},
      {a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2), a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0),
       a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1)},
      {a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1), a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2),
       a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0)},
  };
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) n[col * 3 + row] = cof[row][col] * inv;
  return n;
}

std::array<float, 4> Transform(const TMat4& a, const float v[4]) {
  std::array<float, 4> r{};
  for (int row = 0; row < 4; ++row) {
    float s = 0.0f;
    for (int k = 0; k < 4; ++k) s += a.m[k * 4 + row] * v[k];
    r[row] = s;
  }
  return r;
}

void ResetMatrices(TMatrixState& state) {
  state = TMatrixState{};
  state.ModelView.Entries[0] = IdentityMatrix();
  state.Projection.Entries[0] = IdentityMatrix();
}

namespace {
TMatrixStack& CurrentStack() {
  return Ctx.Matrices.Mode == GL_PROJECTION ? Ctx.Matrices.Projection : Ctx.Matrices.ModelView;
}
}  // namespace

void MultiplyCurrentMatrix(const TMat4& by) {
  TMat4& top = CurrentStack().Top();
  top = Multiply(top, by);
}

}  // namespace gl1

using namespace gl1;

extern "C" {

void glMatrixMode(GLenum mode) {
  if (!Change()) return;
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION) return RecordError(GL_INVALID_ENUM);
  Ctx.Matrices.Mode = mode;
}

void glLoadIdentity() {
  if (Change()) CurrentStack().Top() = IdentityMatrix();
}

void glPushMatrix() {
  if (!Change()) return;
  TMatrixStack& stack = CurrentStack();
  if (stack.Depth >= StackDepth) return RecordError(GL_STACK_OVERFLOW);
  stack.Entries[stack.Depth] = stack.Entries[stack.Depth - 1];
  ++stack.Depth;
}

void glPopMatrix() {
  if (!Change()) return;
  TMatrixStack& stack = CurrentStack();
  if (stack.Depth <= 1) return RecordError(GL_STACK_UNDERFLOW);
  --stack.Depth;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  if (Change()) MultiplyCurrentMatrix(TranslationMatrix(x, y, z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
  if (Change()) MultiplyCurrentMatrix(ScaleMatrix(x, y, z));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  if (Change()) MultiplyCurrentMatrix(RotationMatrix(angle, x, y, z));
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  if (!Change()) return;
  if (left == right || bottom == top || zNear == zFar) return RecordError(GL_INVALID_VALUE);
  MultiplyCurrentMatrix(OrthoMatrix(static_cast<float>(left), static_cast<float>(right),
                                    static_cast<float>(bottom), static_cast<float>(top),
                                    static_cast<float>(zNear), static_cast<float>(zFar)));
}

}  // extern "C"
