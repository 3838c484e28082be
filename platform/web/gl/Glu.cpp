#include "platform/web/gl/Glu.h"

#include <GL/glu.h>

#include <cmath>

#include "platform/web/gl/Layer.h"

namespace gl1 {

TMat4 PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar, bool* valid) {
  const double radians = fovy / 2 * 3.14159265358979323846 / 180;
  const double depth = zFar - zNear;
  const double sine = std::sin(radians);
  *valid = depth != 0 && sine != 0 && aspect != 0;
  TMat4 r = IdentityMatrix();
  if (!*valid) return r;
  const double cotangent = std::cos(radians) / sine;
  r.m[0] = static_cast<float>(cotangent / aspect);
  r.m[5] = static_cast<float>(cotangent);
  r.m[10] = static_cast<float>(-(zFar + zNear) / depth);
  r.m[11] = -1;
  r.m[14] = static_cast<float>(-2 * zNear * zFar / depth);
  r.m[15] = 0;
  return r;
}

namespace {
void Normalize(float v[3]) {
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length == 0) return;
  for (int i = 0; i < 3; ++i) v[i] /= length;
}

void Cross(const float a[3], const float b[3], float out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}
}  // namespace

TMat4 LookAtFrame(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                   double upX, double upY, double upZ) {
  float forward[3] = {static_cast<float>(centerX - eyeX), static_cast<float>(centerY - eyeY),
                      static_cast<float>(centerZ - eyeZ)};
  const float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
  Normalize(forward);
  float side[3], trueUp[3];
  Cross(forward, up, side);
  Normalize(side);
  Cross(side, forward, trueUp);
  TMat4 r = IdentityMatrix();
  for (int i = 0; i < 3; ++i) {
    r.m[i * 4 + 0] = side[i];
    r.m[i * 4 + 1] = trueUp[i];
    r.m[i * 4 + 2] = -forward[i];
  }
  return r;
}

}  // namespace gl1

using namespace gl1;

extern "C" {

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  if (!Change()) return;
  bool valid = false;
  const TMat4 m = PerspectiveMatrix(fovy, aspect, zNear, zFar, &valid);
  if (valid) MultiplyCurrentMatrix(m);
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ) {
  if (!Change()) return;
  // GLU multiplies by the frame, then translates: two steps, as here.
  MultiplyCurrentMatrix(LookAtFrame(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
  MultiplyCurrentMatrix(TranslationMatrix(static_cast<float>(-eyeX), static_cast<float>(-eyeY),
                                          static_cast<float>(-eyeZ)));
}

}  // extern "C"
