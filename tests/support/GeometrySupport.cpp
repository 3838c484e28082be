#include "support/GeometrySupport.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "engine/QRN2Meshes.h"
#include "tools/writers/Writer3DS.h"

void FillBumpyTorus(TMeshData& mesh, int rings, int sides) {
  const double pi = 3.14159265358979323846;
  for (int i = 0; i < rings; ++i) {
    for (int j = 0; j < sides; ++j) {
      const double a = 2 * pi * i / rings, b = 2 * pi * j / sides;
      const double r = 0.5 + 0.05 * std::sin(7.3 * a + 3.1 * b) + 0.01 * std::cos(17.0 * a);
      const double c = 1.5 + r * std::cos(b);
      mesh.AddVertex(MakeVertex(static_cast<float>(c * std::cos(a)), static_cast<float>(c * std::sin(a)),
                                static_cast<float>(r * std::sin(b))),
                     MakeTexCoord(static_cast<float>(i) / rings, static_cast<float>(j) / sides));
    }
  }
  for (int i = 0; i < rings; ++i) {
    for (int j = 0; j < sides; ++j) {
      const int p = i * sides + j, q = ((i + 1) % rings) * sides + j;
      const int p1 = i * sides + (j + 1) % sides, q1 = ((i + 1) % rings) * sides + (j + 1) % sides;
      mesh.AddFace(MakeFace(p, q, q1));
      mesh.AddFace(MakeFace(p, q1, p1));
    }
  }
}

void SetUpLitView() {
  glViewport(0, 0, 800, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45, 800.0 / 600.0, 0.1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -6);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
}

std::vector<std::uint8_t> ReadFrame() {
  std::vector<std::uint8_t> rgba(800 * 600 * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

int CountLit(const std::vector<std::uint8_t>& frame) {
  int lit = 0;
  for (std::size_t i = 0; i + 3 < frame.size(); i += 4)
    if (frame[i] || frame[i + 1] || frame[i + 2]) ++lit;
  return lit;
}

T3DSModel TorusModel(int rings, int sides) {
  TMeshData torus;
  FillBumpyTorus(torus, rings, sides);
  T3DSObject object;
  object.Name = "Torus";
  for (const TVertex& v : torus.Vertices) object.Vertices.push_back({v.x, v.y, v.z});
  for (const TTexCoord& t : torus.TexCoords) object.MapCoords.push_back({t.u, t.v});
  for (const TFace& f : torus.Faces)
    object.Faces.push_back({static_cast<std::uint16_t>(f.a), static_cast<std::uint16_t>(f.b),
                            static_cast<std::uint16_t>(f.c), 0});
  T3DSModel model;
  model.Objects.push_back(object);
  return model;
}

T3DSObject TriangleObject(const std::string& name, float offset) {
  T3DSObject o;
  o.Name = name;
  o.Vertices = {{1 + offset, 2, 3}, {-4.5f, 5.25f, 6e-7f}, {7, -8, 9e9f}};
  o.MapCoords = {{0.125f, 0.75f}, {1, 0}, {0, -1}};
  o.Faces = {{0, 1, 2, 0}};
  return o;
}

T3DSObject LightObject(const std::string& name) {
  T3DSObject o;
  o.Name = name;
  o.Kind = T3DSObjectKind::Light;
  return o;
}
