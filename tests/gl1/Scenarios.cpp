#include "Scenarios.h"

#include <GL/glu.h>

#include <cmath>

#include "ScenarioKit.h"

namespace scenarios {

void ResetState() {
  for (GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING, GL_LIGHT0, GL_NORMALIZE, GL_COLOR_MATERIAL,
                     GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T})
    glDisable(cap);
  glBlendFunc(GL_ONE, GL_ZERO);
  glDepthFunc(GL_LEQUAL);
  glLineWidth(1);
  glViewport(0, 0, Size, Size);
  glClearColor(0.2f, 0.2f, 0.4f, 0.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4f(1, 1, 1, 1);
  glNormal3f(0, 0, 1);
  glTexCoord2f(0, 0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glTexGenf(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGenf(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1}, diffuse[] = {0.8f, 0.8f, 0.8f, 1}, black[] = {0, 0, 0, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
}

std::vector<std::uint8_t> TestImage(int width, int height, int channels, unsigned seed, int alignment) {
  const std::size_t row = static_cast<std::size_t>(width) * channels;
  const std::size_t stride = (row + alignment - 1) / alignment * alignment;
  std::vector<std::uint8_t> p(stride * height, 0);
  unsigned s = seed * 2654435761u + 12345u;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      s = s * 1664525u + 1013904223u;
      std::uint8_t* px = &p[y * stride + static_cast<std::size_t>(x) * channels];
      px[0] = ((x / 8 + y / 8) % 2) ? 230 : 30;                       // checks
      px[1] = static_cast<std::uint8_t>(255 * x / (width > 1 ? width - 1 : 1));  // ramp
      px[2] = static_cast<std::uint8_t>(s >> 24);                     // noise
      if (channels == 4) px[3] = static_cast<std::uint8_t>(255 * y / (height > 1 ? height - 1 : 1));
    }
  return p;
}

const std::vector<TMipmapCase>& MipmapCases() {
  static const std::vector<TMipmapCase> cases = {
      {16, 16, 3, 1, 3}, {32, 8, 4, 1, 4}, {1, 16, 3, 1, 5}, {64, 1, 4, 1, 6}, {8, 8, 4, 4, 7}, {128, 64, 3, 1, 8},
  };
  return cases;
}

void Ortho() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, Size, 0, Size, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Perspective(float eyeX, float eyeY, float eyeZ) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.0, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eyeX, eyeY, eyeZ, 0, 0, 0, 0, 1, 0);
}

GLuint MakeTexture(const TTextureSetup& setup) {
  GLuint t = 0;
  glGenTextures(1, &t);
  glBindTexture(GL_TEXTURE_2D, t);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, setup.Wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, setup.Wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, setup.Mag);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, setup.Min);
  const std::vector<std::uint8_t> px =
      TestImage(setup.Width, setup.Height, setup.Channels, setup.Seed, setup.Alignment);
  const GLenum format = setup.Channels == 4 ? GL_RGBA : GL_RGB;
  glPixelStorei(GL_UNPACK_ALIGNMENT, setup.Alignment);
  if (setup.Mipmaps)
    gluBuild2DMipmaps(GL_TEXTURE_2D, setup.Channels == 4 ? GL_RGBA : 3, setup.Width, setup.Height, format,
                      GL_UNSIGNED_BYTE, px.data());
  else
    glTexImage2D(GL_TEXTURE_2D, 0, setup.Internal ? setup.Internal : setup.Channels, setup.Width, setup.Height, 0,
                 format, GL_UNSIGNED_BYTE, px.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  return t;
}

void TexturedQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1) {
  glBegin(GL_QUADS);
  glTexCoord2f(u0, v0);
  glVertex3f(x0, y0, 0);
  glTexCoord2f(u1, v0);
  glVertex3f(x1, y0, 0);
  glTexCoord2f(u1, v1);
  glVertex3f(x1, y1, 0);
  glTexCoord2f(u0, v1);
  glVertex3f(x0, y1, 0);
  glEnd();
}

void Backdrop() {
  const float colours[4][3] = {{0.9f, 0.2f, 0.1f}, {0.1f, 0.7f, 0.3f}, {0.2f, 0.3f, 0.9f}, {0.8f, 0.8f, 0.7f}};
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    const float x = static_cast<float>(i % 2) * Size / 2, y = static_cast<float>(i / 2) * Size / 2;
    glColor3f(colours[i][0], colours[i][1], colours[i][2]);
    glVertex3f(x, y, 0);
    glVertex3f(x + Size / 2, y, 0);
    glColor3f(colours[i][0] * 0.3f, colours[i][1] * 0.3f, colours[i][2] * 0.3f);
    glVertex3f(x + Size / 2, y + Size / 2, 0);
    glVertex3f(x, y + Size / 2, 0);
  }
  glEnd();
  glColor4f(1, 1, 1, 1);
}

namespace {
void Rect(float x0, float y0, float x1, float y1, float z = 0) {
  glBegin(GL_QUADS);
  glVertex3f(x0, y0, z);
  glVertex3f(x1, y0, z);
  glVertex3f(x1, y1, z);
  glVertex3f(x0, y1, z);
  glEnd();
}

void OrthoColours(TValues&) {
  Ortho();
  // Triangles first: the quads after them join their draw.
  glBegin(GL_TRIANGLES);
  glColor3f(0.2f, 0.9f, 0.9f);
  glVertex3f(20, 136, 0);
  glColor3f(0.9f, 0.2f, 0.9f);
  glVertex3f(120, 140, 0);
  glColor3f(0.9f, 0.9f, 0.2f);
  glVertex3f(60, 240, 0);
  glEnd();
  glBegin(GL_QUADS);
  glColor3f(1, 0, 0);
  glVertex3f(16, 16, 0);
  glColor3f(0, 1, 0);
  glVertex3f(120, 16, 0);
  glColor3f(0, 0, 1);
  glVertex3f(120, 120, 0);
  glColor4f(1, 1, 0, 1);
  glVertex3f(16, 120, 0);
  glEnd();
  glColor3b(32, 100, -5);
  Rect(136, 16, 240, 60);
  glColor3b(0, 0, 1);  // the engine's "blue" bytes
  Rect(136, 70, 240, 110);
  glColor4f(2, -1, 0.5f, 1);  // clamped after the vertex stage
  Rect(136, 120, 240, 150);
  glBegin(GL_TRIANGLES);  // the fourth vertex is dropped
  glColor3f(0.6f, 0.6f, 0.6f);
  glVertex3f(4, 130, 0);
  glVertex3f(14, 130, 0);
  glVertex3f(9, 250, 0);
  glVertex3f(250, 250, 0);
  glEnd();
  // Depth: the nearer quad (larger z in an ortho view) wins either order.
  glEnable(GL_DEPTH_TEST);
  glColor3f(1, 1, 1);
  Rect(136, 160, 220, 240, 0.5f);
  glColor3f(0.3f, 0.1f, 0.6f);
  Rect(160, 180, 240, 250, -0.5f);
}

void Blending(TValues&) {
  Ortho();
  Backdrop();
  const GLuint rgba = MakeTexture({});
  TTextureSetup rgbSetup;
  rgbSetup.Width = rgbSetup.Height = 30;  // rows of 90 bytes, padded to 92
  rgbSetup.Channels = 3;
  rgbSetup.Seed = 2;
  rgbSetup.Alignment = 4;
  const GLuint rgb = MakeTexture(rgbSetup);
  TTextureSetup dropped;  // RGBA pixels kept as RGB: alpha samples as 1
  dropped.Internal = 3;
  dropped.Seed = 3;
  const GLuint opaque = MakeTexture(dropped);
  const GLenum funcs[6][2] = {{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}, {GL_SRC_ALPHA, GL_ONE},
                              {GL_SRC_COLOR, GL_ONE},                 {GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR},
                              {GL_ONE, GL_ONE},                       {GL_SRC_COLOR, GL_DST_COLOR}};
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  for (int i = 0; i < 6; ++i) {
    glBlendFunc(funcs[i][0], funcs[i][1]);
    const float x = 8 + 41.0f * i;
    glColor4f(0.9f, 0.7f, 0.5f, 0.6f);
    glBindTexture(GL_TEXTURE_2D, rgba);
    TexturedQuad(x, 8, x + 38, 78);
    glBindTexture(GL_TEXTURE_2D, rgb);
    glColor4f(1, 1, 1, 0.8f);
    TexturedQuad(x, 92, x + 38, 162);
    glBindTexture(GL_TEXTURE_2D, opaque);
    glColor4f(0.6f, 0.8f, 1, 0.7f);
    TexturedQuad(x, 176, x + 38, 246);
  }
  for (GLuint t : {rgba, rgb, opaque}) glDeleteTextures(1, &t);
}

void CopyTexture(TValues& values) {
  GLuint target = 0;
  glGenTextures(1, &target);
  glBindTexture(GL_TEXTURE_2D, target);
  glTexImage2D(GL_TEXTURE_2D, 0, 4, 128, 128, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // Draw the whole-frame picture into the bottom-left 128 square.
  glViewport(0, 0, 128, 128);
  Ortho();
  Backdrop();
  const GLuint picture = MakeTexture({});
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  TexturedQuad(40, 40, 216, 216);
  glBindTexture(GL_TEXTURE_2D, target);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 128, 128);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  values.push_back({"bound is target", bound == static_cast<GLint>(target) ? 1 : 0});
  glViewport(0, 0, Size, Size);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  Backdrop();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_COLOR, GL_ONE);
  TexturedQuad(0, 0, Size, Size);
  glDeleteTextures(1, &picture);
  glDeleteTextures(1, &target);
}

void Mipmaps(TValues&) {
  TTextureSetup setup;
  setup.Width = setup.Height = 256;
  setup.Channels = 3;
  setup.Seed = 9;
  setup.Mipmaps = true;
  setup.Min = GL_LINEAR_MIPMAP_NEAREST;
  const GLuint nearest = MakeTexture(setup);
  setup.Min = GL_LINEAR_MIPMAP_LINEAR;
  setup.Channels = 4;
  const GLuint linear = MakeTexture(setup);
  setup.Width = 64;
  setup.Height = 16;
  const GLuint narrow = MakeTexture(setup);
  // A receding floor under the quads: every level at once.
  glEnable(GL_TEXTURE_2D);
  Perspective(0, 1.2f, 4);
  glBindTexture(GL_TEXTURE_2D, nearest);
  glBegin(GL_QUADS);
  const float u = 8;
  glTexCoord2f(0, 0);
  glVertex3f(-2, 0, 3);
  glTexCoord2f(u, 0);
  glVertex3f(2, 0, 3);
  glTexCoord2f(u, u * 6);
  glVertex3f(2, 0, -60);
  glTexCoord2f(0, u * 6);
  glVertex3f(-2, 0, -60);
  glEnd();
  Ortho();
  int x = 4;
  for (int side : {60, 33, 17, 9, 5}) {
    glBindTexture(GL_TEXTURE_2D, nearest);
    TexturedQuad(x, 4, x + side, 4 + side);
    glBindTexture(GL_TEXTURE_2D, linear);
    TexturedQuad(x, 70, x + side, 70 + side);
    glBindTexture(GL_TEXTURE_2D, narrow);
    TexturedQuad(x, 136, x + side, 136 + side / 4.0f);
    x += side + 4;
  }
  for (GLuint t : {nearest, linear, narrow}) glDeleteTextures(1, &t);
}

void MatrixStacks(TValues& values) {
  Ortho();
  glTranslatef(128, 128, 0);
  for (int i = 0; i < 6; ++i) {
    glPushMatrix();
    glRotatef(30.0f * i + 7.5f, 0, 0, 1);
    glTranslatef(60, 0, 0);
    glScalef(1.5f, 0.6f, 1);
    glColor3f(0.15f * i, 1 - 0.15f * i, 0.5f);
    Rect(-20, -20, 20, 20);
    glPopMatrix();
  }
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRotatef(45, 1, 1, 1);  // an axis that is not a unit vector
  glColor3f(1, 1, 1);
  Rect(-0.2f, -0.2f, 0.2f, 0.2f);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  // Back in the first ortho view: a marker at its centre.
  glColor3f(1, 0, 0);
  Rect(-4, -4, 4, 4);
  values.push_back({"error before", static_cast<double>(glGetError())});
  glLoadIdentity();
  glPopMatrix();
  values.push_back({"pop at depth 1", static_cast<double>(glGetError())});
  for (int i = 0; i < 32; ++i) glPushMatrix();
  values.push_back({"push past 32", static_cast<double>(glGetError())});
  for (int i = 0; i < 31; ++i) glPopMatrix();
  values.push_back({"after pops", static_cast<double>(glGetError())});
}

void ClampBorder(TValues&) {
  Ortho();
  Backdrop();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  TTextureSetup setup;
  setup.Width = setup.Height = 8;
  setup.Wrap = GL_CLAMP;
  const GLuint tiny = MakeTexture(setup);
  // Magnified: the border's share shows over half a texel, with s and t
  // running past the edges on two sides.
  glColor4f(1, 1, 1, 1);
  TexturedQuad(8, 8, 120, 120, -0.25f, -0.25f, 1.0f, 1.0f);
  setup.Width = 256;
  setup.Height = 128;
  setup.Channels = 3;
  setup.Mipmaps = true;
  setup.Min = GL_LINEAR_MIPMAP_NEAREST;
  const GLuint picture = MakeTexture(setup);
  TexturedQuad(130, 8, 250, 68);    // the pictures' case, minified
  TexturedQuad(130, 80, 250, 250);  // and stretched
  glDisable(GL_BLEND);
  setup.Wrap = GL_CLAMP_TO_EDGE;
  setup.Mipmaps = false;
  setup.Min = GL_LINEAR;
  setup.Width = setup.Height = 8;
  const GLuint edge = MakeTexture(setup);
  TexturedQuad(8, 136, 120, 248, -0.25f, -0.25f, 1.25f, 1.25f);
  for (GLuint t : {tiny, picture, edge}) glDeleteTextures(1, &t);
}

void StateAndIncomplete(TValues& values) {
  Ortho();
  Backdrop();
  glEnable(GL_TEXTURE_2D);
  glColor3f(0.5f, 0.9f, 0.4f);
  // Texture 0 has no picture: GL draws untextured in the current colour.
  TexturedQuad(10, 10, 100, 100);
  // Mipmap filter, one level: incomplete, drawn untextured as well.
  TTextureSetup setup;
  setup.Min = GL_LINEAR_MIPMAP_LINEAR;
  const GLuint incomplete = MakeTexture(setup);
  glColor3f(0.9f, 0.4f, 0.5f);
  TexturedQuad(120, 10, 240, 100);
  GLint i = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &i);
  values.push_back({"binding", i == static_cast<GLint>(incomplete) ? 1 : 0});
  glPixelStorei(GL_PACK_ALIGNMENT, 2);
  glGetIntegerv(GL_PACK_ALIGNMENT, &i);
  values.push_back({"pack alignment", i});
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &i);
  values.push_back({"unpack alignment", i});
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &i);
  values.push_back({"max texture size at least 2048", i >= 2048 ? 1 : 0});
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &i);
  values.push_back({"max renderbuffer size at least 2048", i >= 2048 ? 1 : 0});
  GLint dims[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
  values.push_back({"max viewport at least 2048 x 2048", dims[0] >= 2048 && dims[1] >= 2048 ? 1 : 0});
  glClearColor(0.25f, 0.5f, 0.75f, 0.125f);
  GLfloat c[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
  for (int k = 0; k < 4; ++k) values.push_back({"clear value " + std::to_string(k), c[k]});
  values.push_back({"renderer named", glGetString(GL_RENDERER) ? 1 : 0});
  values.push_back({"no error yet", static_cast<double>(glGetError())});
  glEnable(0x1234);
  values.push_back({"unknown capability", static_cast<double>(glGetError())});
  glBegin(GL_QUADS);
  glEnable(GL_BLEND);  // not allowed between glBegin and glEnd
  glEnd();
  values.push_back({"state change inside glBegin", static_cast<double>(glGetError())});
  glEnd();
  values.push_back({"glEnd without glBegin", static_cast<double>(glGetError())});
  glDisable(GL_FOG);
  values.push_back({"fog off", static_cast<double>(glGetError())});
  glDeleteTextures(1, &incomplete);
  GLint after = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &after);
  values.push_back({"binding after delete", after});
}

void WarpedGrid(TValues&) {
  TTextureSetup setup;
  setup.Width = setup.Height = 128;
  setup.Channels = 3;
  setup.Mipmaps = true;
  setup.Min = GL_LINEAR_MIPMAP_NEAREST;
  const GLuint picture = MakeTexture(setup);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  Ortho();
  constexpr int N = 12;
  float u[N][N], v[N][N];
  for (int i = 0; i < N; ++i)
    for (int j = 0; j < N; ++j) {
      const float fi = static_cast<float>(i) / (N - 1), fj = static_cast<float>(j) / (N - 1);
      u[i][j] = fi + 0.06f * std::sin(9.0f * fj + 3.0f * fi);
      v[i][j] = fj + 0.06f * std::cos(7.0f * fi - 2.0f * fj);
    }
  auto corner = [&](int i, int j) {
    glTexCoord2f(u[i][j], v[i][j]);
    glVertex3f(static_cast<float>(i) * Size / (N - 1), static_cast<float>(j) * Size / (N - 1), 0);
  };
  glBegin(GL_QUADS);
  for (int i = 0; i + 1 < N; ++i)
    for (int j = 0; j + 1 < N; ++j) {
      corner(i, j);
      corner(i, j + 1);
      corner(i + 1, j + 1);
      corner(i + 1, j);
    }
  glEnd();
  glDeleteTextures(1, &picture);
}
}  // namespace

const std::vector<TScenario>& All() {
  // Limits: about twice what this layer measures on llvmpipe, and exact
  // where the geometry is exact (flat colours on whole pixels).
  static const std::vector<TScenario> all = {
      {"ortho_colours", OrthoColours, 0.01, 0, 0},
      {"blend_functions", Blending, 0.1, 0.0005, 3},
      {"copy_tex_round_trip", CopyTexture, 0.1, 0.0005, 3},
      {"mipmaps_minified", Mipmaps, 0.1, 0.0005, 3},
      {"matrix_stacks", MatrixStacks, 0.1, 0.001, -1},
      {"clamp_border", ClampBorder, 0.2, 0.0005, 8},
      {"state_and_incomplete", StateAndIncomplete, 0.01, 0, 0},
      {"warped_grid", WarpedGrid, 0.1, 0.0005, 3},
      {"lit_mesh_arrays", LitMesh, 0.1, 0.001, -1},
      {"color_material_off", ColorMaterialOff, 0.1, 0.001, -1},
      {"sphere_map", SphereMap, 0.1, 0.001, -1},
      {"lines", Lines, 0.8, 0.005, -1},
      {"lit_immediate", LitImmediate, 0.1, 0.001, -1},
  };
  return all;
}

}  // namespace scenarios
