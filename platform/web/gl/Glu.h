// Glu: the GLU matrix helpers the engine uses, gluPerspective and
// gluLookAt, each multiplied onto the current matrix as GLU does (the
// perspective built in double, the look-at frame in float).
// Needs: Layer, Matrices.
#pragma once
#include <GL/gl.h>

#include "platform/web/gl/Matrices.h"

namespace gl1 {

// The matrix gluPerspective multiplies by; `valid` false for a degenerate
// one (GLU then leaves the matrix alone).
TMat4 PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar, bool* valid);
// gluLookAt's rotation; the translation by -eye follows it separately.
TMat4 LookAtFrame(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                   double upX, double upY, double upZ);

}  // namespace gl1
