// ScenarioKit: what the scenarios share: projections, textures from test
// pictures, a torus mesh, and drawing from client arrays in the engine's
// order (enable, point, draw, disable).
// Needs: a current context with the GL 1.x entry points.
#pragma once
#include <GL/gl.h>

#include <vector>

#include "Scenarios.h"

namespace scenarios {

// Projection 0..Size in x and y, depth -1..1; modelview identity.
void Ortho();
// gluPerspective(45, 1, 1, 100) and the camera at `eye` looking at the origin.
void Perspective(float eyeX, float eyeY, float eyeZ);

struct TTextureSetup {
  int Width = 64, Height = 64, Channels = 4;
  unsigned Seed = 1;
  GLint Min = GL_LINEAR, Mag = GL_LINEAR, Wrap = GL_REPEAT;
  bool Mipmaps = false;  // gluBuild2DMipmaps, else glTexImage2D level 0
  GLint Internal = 0;    // 0: 3 or 4 by Channels
  int Alignment = 1;
};
GLuint MakeTexture(const TTextureSetup& setup);

struct TMesh {
  std::vector<float> Positions, Normals, Uvs, Colors;  // 3, 3, 2, 3 floats a vertex
  std::vector<GLuint> Faces;
};
TMesh Torus(float major, float minor, int around, int tube);

struct TArrays {
  bool Normals = true, Uvs = true, Colors = false, ByFaces = true;
  GLenum Mode = GL_TRIANGLES;
};
void DrawMesh(const TMesh& mesh, const TArrays& arrays);

// An axis-aligned quad in immediate mode with texture coordinates 0..1
// (or u0..u1, v0..v1).
void TexturedQuad(float x0, float y0, float x1, float y1, float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1);
// Four quads in four colours over the frame, for blending onto.
void Backdrop();

// The scenarios with perspective and lighting (Scenarios3D.cpp).
void LitMesh(TValues& values);
void ColorMaterialOff(TValues& values);
void SphereMap(TValues& values);
void Lines(TValues& values);
void LitImmediate(TValues& values);

}  // namespace scenarios
