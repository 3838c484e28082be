// The scenarios with perspective, lighting and generated coordinates: the
// engine's meshes (client arrays, glDrawElements), its hair (lines from
// arrays, lit with colour material), its water (sphere map, no lighting).
#include <GL/glu.h>

#include <cmath>

#include "ScenarioKit.h"

namespace scenarios {

TMesh Torus(float major, float minor, int around, int tube) {
  TMesh m;
  const double pi = 3.14159265358979323846;
  for (int i = 0; i <= around; ++i)
    for (int j = 0; j <= tube; ++j) {
      const double a = 2 * pi * i / around, b = 2 * pi * j / tube;
      const double nx = std::cos(a) * std::cos(b), ny = std::sin(b), nz = std::sin(a) * std::cos(b);
      m.Positions.insert(m.Positions.end(), {static_cast<float>(major * std::cos(a) + minor * nx),
                                             static_cast<float>(minor * ny),
                                             static_cast<float>(major * std::sin(a) + minor * nz)});
      m.Normals.insert(m.Normals.end(), {static_cast<float>(nx), static_cast<float>(ny), static_cast<float>(nz)});
      m.Uvs.insert(m.Uvs.end(), {static_cast<float>(i) / around * 3, static_cast<float>(j) / tube});
      m.Colors.insert(m.Colors.end(), {static_cast<float>(0.5 + 0.5 * nx), static_cast<float>(0.5 + 0.5 * ny),
                                       static_cast<float>(0.5 + 0.5 * std::sin(3 * a))});
    }
  const auto at = [&](int i, int j) { return static_cast<GLuint>(i * (tube + 1) + j); };
  for (int i = 0; i < around; ++i)
    for (int j = 0; j < tube; ++j)
      m.Faces.insert(m.Faces.end(),
                     {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i, j), at(i + 1, j + 1), at(i + 1, j)});
  return m;
}

void DrawMesh(const TMesh& mesh, const TArrays& a) {
  glEnableClientState(GL_VERTEX_ARRAY);
  if (a.Normals) glEnableClientState(GL_NORMAL_ARRAY);
  if (a.Uvs) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  if (a.Colors) glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, mesh.Positions.data());
  if (a.Normals) glNormalPointer(GL_FLOAT, 0, mesh.Normals.data());
  if (a.Uvs) glTexCoordPointer(2, GL_FLOAT, 0, mesh.Uvs.data());
  if (a.Colors) glColorPointer(3, GL_FLOAT, 0, mesh.Colors.data());
  if (a.ByFaces)
    glDrawElements(a.Mode, static_cast<GLsizei>(mesh.Faces.size()), GL_UNSIGNED_INT, mesh.Faces.data());
  else
    glDrawArrays(a.Mode, 0, static_cast<GLsizei>(mesh.Positions.size() / 3));
  glDisableClientState(GL_VERTEX_ARRAY);
  if (a.Normals) glDisableClientState(GL_NORMAL_ARRAY);
  if (a.Uvs) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (a.Colors) glDisableClientState(GL_COLOR_ARRAY);
}

namespace {
void Light(float ambient, float diffuse) {
  const GLfloat position[] = {10, 10, 10, 1};
  const GLfloat a[] = {ambient, ambient, ambient, 1}, d[] = {diffuse, diffuse, diffuse, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, a);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, d);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glEnable(GL_NORMALIZE);
}

GLuint Picture(bool mipmaps) {
  TTextureSetup setup;
  setup.Width = setup.Height = 128;
  setup.Channels = 3;
  setup.Seed = 11;
  setup.Mipmaps = mipmaps;
  setup.Min = mipmaps ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR;
  return MakeTexture(setup);
}
}  // namespace

void LitMesh(TValues&) {
  const TMesh torus = Torus(1.0f, 0.4f, 40, 20);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  Perspective(0, 2.5f, 6);
  Light(0.1f, 0.8f);
  glEnable(GL_COLOR_MATERIAL);
  glColor3f(0.4f, 0.3f, 0.05f);
  glPushMatrix();
  glTranslatef(-1.2f, 0.8f, 0);
  glScalef(1.3f, 0.7f, 1);  // uneven: normals need the inverse transpose and normalising
  glRotatef(35, 1, 0, 0);
  DrawMesh(torus, {});
  glPopMatrix();
  // The engine's light (ambient and diffuse 1) and a specular highlight.
  Light(1.0f, 1.0f);
  const GLfloat specular[] = {0.6f, 0.6f, 0.6f, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 16);
  glColor3f(0.15f, 0.25f, 0.45f);
  glPushMatrix();
  glTranslatef(1.2f, 0.8f, 0);
  glRotatef(-50, 1, 0.3f, 0);
  DrawMesh(torus, {});
  glPopMatrix();
  const GLfloat black[] = {0, 0, 0, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
  // Per-vertex colours, textured, lit through colour material.
  Light(0.2f, 0.7f);
  const GLuint picture = Picture(true);
  glEnable(GL_TEXTURE_2D);
  TArrays coloured;
  coloured.Colors = true;
  glPushMatrix();
  glTranslatef(-1.0f, -1.3f, 0);
  glRotatef(60, 1, 0, 0);
  DrawMesh(torus, coloured);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  // No normal array: every vertex takes the current normal.
  glNormal3f(0.2f, 0.9f, 0.3f);
  glColor3b(60, 90, 20);
  TArrays flat;
  flat.Normals = false;
  glPushMatrix();
  glTranslatef(1.2f, -1.2f, 0);
  DrawMesh(torus, flat);
  glPopMatrix();
  glDeleteTextures(1, &picture);
}

void ColorMaterialOff(TValues&) {
  const TMesh torus = Torus(0.9f, 0.45f, 36, 18);
  glEnable(GL_DEPTH_TEST);
  Perspective(0, 0, 6);
  Light(0.3f, 0.9f);
  // Colour material leaves the last colour in the material when it goes off.
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(1.0f, 0.5f, 0.2f, 1);
  glDisable(GL_COLOR_MATERIAL);
  glColor4f(0, 1, 0, 1);  // no longer reaches the material
  glPushMatrix();
  glTranslatef(-1.1f, 0.9f, 0);
  glRotatef(70, 1, 0, 0);
  DrawMesh(torus, {});
  glPopMatrix();
  // Enabling copies the current colour at once.
  glColor4f(0.3f, 0.6f, 0.9f, 1);
  glEnable(GL_COLOR_MATERIAL);
  glDisable(GL_COLOR_MATERIAL);
  glPushMatrix();
  glTranslatef(1.1f, 0.9f, 0);
  glRotatef(70, 1, 0, 0);
  DrawMesh(torus, {});
  glPopMatrix();
  // The default material, an emission, and the light off (ambient only).
  const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1}, diffuse[] = {0.8f, 0.8f, 0.8f, 1},
                emission[] = {0.1f, 0.0f, 0.2f, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
  glPushMatrix();
  glTranslatef(-1.1f, -1.0f, 0);
  glRotatef(80, 1, 0, 0);
  DrawMesh(torus, {});
  glDisable(GL_LIGHT0);
  glTranslatef(2.2f, 0, 0);
  DrawMesh(torus, {});
  glPopMatrix();
}

void SphereMap(TValues&) {
  const TMesh torus = Torus(1.0f, 0.45f, 48, 24);
  const GLuint picture = Picture(true);
  glEnable(GL_DEPTH_TEST);
  Perspective(0, 1.5f, 6);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_NORMALIZE);
  // The water: unlit, sphere-mapped, mixed onto what is there.
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glPushMatrix();
  glTranslatef(-0.9f, 0.9f, 0);
  glRotatef(40, 1, 0, 0);
  DrawMesh(torus, {});
  glPopMatrix();
  glDisable(GL_BLEND);
  // Lit and sphere-mapped, through colour material.
  Light(0.2f, 0.8f);
  glEnable(GL_COLOR_MATERIAL);
  glColor3f(1, 1, 1);
  glPushMatrix();
  glTranslatef(0.9f, -0.9f, 0);
  glRotatef(-30, 0, 0, 1);
  glRotatef(60, 1, 0, 0);
  DrawMesh(torus, {});
  glPopMatrix();
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDeleteTextures(1, &picture);
}

void Lines(TValues&) {
  // Hair: strands from arrays, lit like the model through colour material,
  // the current normal for all (no normal array).
  TMesh hair;
  for (int i = 0; i < 160; ++i) {
    const double a = i * 0.7, r = 0.3 + 0.01 * i;
    const float x = static_cast<float>(r * std::cos(a)), y = static_cast<float>(-1 + 0.0125 * i),
                z = static_cast<float>(r * std::sin(a));
    hair.Positions.insert(hair.Positions.end(), {x, y, z, x * 1.6f, y + 0.35f, z * 1.6f});
    const float g = static_cast<float>(0.5 + 0.5 * std::sin(a));
    hair.Colors.insert(hair.Colors.end(), {g, g, 1 - g, g, 1 - g, g});
  }
  glEnable(GL_DEPTH_TEST);
  Perspective(0, 1, 4);
  Light(1.0f, 1.0f);
  glEnable(GL_COLOR_MATERIAL);
  glNormal3f(0.3f, 0.8f, 0.5f);
  TArrays lines;
  lines.Normals = lines.Uvs = false;
  lines.Colors = true;
  lines.ByFaces = false;
  lines.Mode = GL_LINES;
  glPushMatrix();
  glTranslatef(-0.9f, 0, 0);
  glLineWidth(1);
  DrawMesh(hair, lines);
  glTranslatef(1.8f, 0, 0);
  glEnable(GL_CULL_FACE);  // lines are never culled, however wide
  glLineWidth(3);
  DrawMesh(hair, lines);
  glDisable(GL_CULL_FACE);
  glPopMatrix();
  // Immediate-mode lines in every direction, unlit.
  glDisable(GL_LIGHTING);
  Ortho();
  glBegin(GL_LINES);
  for (int i = 0; i < 12; ++i) {
    const double a = i * 3.14159265358979323846 / 12;
    glColor3f(1, static_cast<float>(i) / 12, 0.2f);
    glVertex3f(64, 64, 0);
    glVertex3f(static_cast<float>(64 + 56 * std::cos(a)), static_cast<float>(64 + 56 * std::sin(a)), 0);
  }
  glEnd();
  glLineWidth(1);
  glBegin(GL_LINES);
  glColor3f(0.2f, 1, 1);
  glVertex3f(10.5f, 200.5f, 0);
  glVertex3f(120.5f, 240.5f, 0);
  glEnd();
}

void LitImmediate(TValues&) {
  // A sphere one triangle per glBegin/glEnd, as textured meshes with their
  // own normals draw; the material is the default one, no colour material.
  const GLuint picture = Picture(false);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  Perspective(0, 0, 3.2f);
  Light(0.2f, 0.9f);
  const int rings = 16, segments = 24;
  const double pi = 3.14159265358979323846;
  auto corner = [&](int i, int j) {
    const double a = 2 * pi * j / segments, b = pi * i / rings - pi / 2;
    const float nx = static_cast<float>(std::cos(b) * std::cos(a)), ny = static_cast<float>(std::sin(b)),
                nz = static_cast<float>(std::cos(b) * std::sin(a));
    glTexCoord2f(static_cast<float>(j) / segments, static_cast<float>(i) / rings);
    glNormal3f(nx, ny, nz);
    glVertex3f(nx, ny, nz);
  };
  glRotatef(20, 1, 0, 0);
  for (int i = 0; i < rings; ++i)
    for (int j = 0; j < segments; ++j) {
      glBegin(GL_TRIANGLES);
      corner(i, j);
      corner(i + 1, j + 1);
      corner(i + 1, j);
      glEnd();
      glBegin(GL_TRIANGLES);
      corner(i, j);
      corner(i, j + 1);
      corner(i + 1, j + 1);
      glEnd();
    }
  glDeleteTextures(1, &picture);
}

}  // namespace scenarios
