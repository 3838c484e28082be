// Vertices: where vertices come from. Immediate mode (glBegin/glEnd with
// the current colour, normal and texture coordinate) and client-side arrays
// (glVertexPointer and the rest, glDrawArrays, glDrawElements). WebGL has
// no client arrays, so each draw converts the vertices it uses into the
// batch's layout, filling the disabled arrays with the current values as
// GL does. Array draws leave the current values as they were.
// Needs: Layer (context, errors), Batch, Lighting (colour material).
#pragma once
#include <GL/gl.h>

#include <vector>

#include "platform/web/gl/Batch.h"

namespace gl1 {

struct TCurrentAttributes {
  float Color[4] = {1, 1, 1, 1};
  float Normal[3] = {0, 0, 1};
  float Uv[2] = {0, 0};
};

struct TClientArray {
  bool Enabled = false;
  GLint Size = 4;
  GLenum Type = GL_FLOAT;
  GLsizei Stride = 0;
  const void* Pointer = nullptr;
};

struct TVertexState {
  TCurrentAttributes Current;
  bool Inside = false;  // between glBegin and glEnd
  GLenum Mode = GL_TRIANGLES;
  std::vector<TStreamVertex> Primitive;  // the vertices since glBegin
  TClientArray Positions, Normals, Colors, Uvs;
};

}  // namespace gl1
