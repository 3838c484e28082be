// QRN2Arrays: one draw from client-side arrays, the way meshes, deformed
// meshes and line sets all draw: enable the arrays given, point GL at them,
// draw, disable them again. Positions are always given; normals, texture
// coordinates and colours only where the caller has them.
// Needs: QRN2Classes, a current GL context.
#pragma once
#include <GL/gl.h>

#include <cstdint>

#include "engine/QRN2Classes.h"

struct TClientArrays {
  GLenum Mode = GL_TRIANGLES;
  const TVertex* Positions = nullptr;
  const TVertex* Normals = nullptr;      // optional
  const TTexCoord* TexCoords = nullptr;  // optional
  const TVertex* Colors = nullptr;       // optional: red, green, blue in x, y, z
  // ByFaces: glDrawElements over FaceCount faces' corners; otherwise
  // glDrawArrays over VertexCount vertices from the first.
  bool ByFaces = false;
  const TFace* Faces = nullptr;
  std::int32_t FaceCount = 0;
  std::int32_t VertexCount = 0;
};

// Arrays enabled and pointed to in the order positions, normals, texture
// coordinates, colours, and disabled in that order after the draw; the
// arrays not given are left alone. Bounds are the caller's to check.
void DrawClientArrays(const TClientArrays& arrays);
