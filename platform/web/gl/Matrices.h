// Matrices: 4x4 float matrices in GL's column-major order and the modelview
// and projection stacks behind glMatrixMode, glPushMatrix and the rest.
// Arithmetic is float throughout, products accumulated in index order, so
// the matrices come out as a desktop GL's do.
// Needs: nothing but <GL/gl.h> for the enums; the entry points need Layer.
#pragma once
#include <GL/gl.h>

#include <array>

namespace gl1 {

struct TMat4 {
  std::array<float, 16> m;  // m[column * 4 + row]
};

TMat4 IdentityMatrix();
TMat4 Multiply(const TMat4& a, const TMat4& b);  // a * b
TMat4 TranslationMatrix(float x, float y, float z);
TMat4 ScaleMatrix(float x, float y, float z);
// Degrees about the axis (normalised here; a zero axis gives the identity).
TMat4 RotationMatrix(float degrees, float x, float y, float z);
TMat4 OrthoMatrix(float left, float right, float bottom, float top, float zNear, float zFar);
// The transpose of the inverse of the upper 3x3 (column-major), which takes
// normals to eye space; zero where the matrix is singular.
std::array<float, 9> NormalMatrix(const TMat4& modelView);
// (x, y, z, w) through the matrix.
std::array<float, 4> Transform(const TMat4& a, const float v[4]);

// GL's minimum depths are 32 and 2; this layer allows 32 for both, as Mesa.
constexpr int StackDepth = 32;

struct TMatrixStack {
  std::array<TMat4, StackDepth> Entries{};
  int Depth = 1;  // entries in use; Entries[Depth - 1] is the top
  TMat4& Top() { return Entries[Depth - 1]; }
  const TMat4& Top() const { return Entries[Depth - 1]; }
};

struct TMatrixState {
  TMatrixStack ModelView, Projection;
  GLenum Mode = GL_MODELVIEW;
};
void ResetMatrices(TMatrixState& state);

// Current matrix = current matrix * `by` (GLU's glMultMatrix).
void MultiplyCurrentMatrix(const TMat4& by);

}  // namespace gl1
