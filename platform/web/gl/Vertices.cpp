#include "platform/web/gl/Vertices.h"

#include <algorithm>
#include <cstring>

#include "platform/web/gl/Layer.h"

namespace gl1 {

namespace {
TVertexState& V() { return Ctx.Vertex; }

void SetColor(float r, float g, float b, float a) {
  float* c = V().Current.Color;
  c[0] = r;
  c[1] = g;
  c[2] = b;
  c[3] = a;
  TrackColorMaterial(c);
}

// GL 1.x's signed byte to float: (2c + 1) / 255.
float ByteToFloat(GLbyte c) { return (2.0f * static_cast<float>(c) + 1.0f) * (1.0f / 255.0f); }

TClientArray* ArrayFor(GLenum array) {
  switch (array) {
    case GL_VERTEX_ARRAY: return &V().Positions;
    case GL_NORMAL_ARRAY: return &V().Normals;
    case GL_COLOR_ARRAY: return &V().Colors;
    case GL_TEXTURE_COORD_ARRAY: return &V().Uvs;
    default: return nullptr;
  }
}

void SetClientState(GLenum array, bool enabled) {
  if (!Allowed()) return;
  if (TClientArray* a = ArrayFor(array))
    a->Enabled = enabled;
  else
    RecordError(GL_INVALID_ENUM);
}

void SetPointer(TClientArray& a, GLint size, GLint minSize, GLint maxSize, GLenum type, GLsizei stride,
                const void* pointer) {
  if (!Allowed()) return;
  if (size < minSize || size > maxSize || stride < 0) return RecordError(GL_INVALID_VALUE);
  if (type != GL_FLOAT) return RecordError(GL_INVALID_ENUM);  // the engine's arrays are all float
  a.Size = size;
  a.Type = type;
  a.Stride = stride;
  a.Pointer = pointer;
}

// Element i of an array; copies Size floats into `to` (unset ones kept).
void Fetch(const TClientArray& a, std::size_t i, float* to, int most) {
  const std::size_t stride = a.Stride ? static_cast<std::size_t>(a.Stride) : a.Size * sizeof(float);
  const auto* at = static_cast<const unsigned char*>(a.Pointer) + i * stride;
  std::memcpy(to, at, static_cast<std::size_t>(std::min<int>(a.Size, most)) * sizeof(float));
}

// Vertices [first, first + count) of the enabled arrays into `to`, in the
// batch's layout.
void Convert(std::size_t first, std::size_t count, TStreamVertex* to) {
  TVertexState& v = V();
  TStreamVertex proto{};
  std::memcpy(proto.Normal, v.Current.Normal, sizeof proto.Normal);
  std::memcpy(proto.Color, v.Current.Color, sizeof proto.Color);
  std::memcpy(proto.Uv, v.Current.Uv, sizeof proto.Uv);
  for (std::size_t k = 0; k < count; ++k) {
    TStreamVertex& out = to[k];
    out = proto;
    const std::size_t i = first + k;
    float position[4] = {0, 0, 0, 1};
    Fetch(v.Positions, i, position, 4);
    // A four-component position is divided here: the shaders take three.
    const float w = v.Positions.Size == 4 && position[3] != 0 ? position[3] : 1.0f;
    for (int c = 0; c < 3; ++c) out.Position[c] = position[c] / w;
    if (v.Normals.Enabled) Fetch(v.Normals, i, out.Normal, 3);
    if (v.Colors.Enabled) {
      out.Color[3] = 1;
      Fetch(v.Colors, i, out.Color, 4);
    }
    if (v.Uvs.Enabled) {
      out.Uv[1] = 0;  // a one-component array leaves t at 0
      Fetch(v.Uvs, i, out.Uv, 2);
    }
  }
}

// Common checks of the two array draws; false if nothing is to be drawn.
bool ArrayDrawAllowed(GLenum mode, GLsizei count) {
  if (!Allowed()) return false;
  if (!DrawableMode(mode)) {
    RecordError(GL_INVALID_ENUM);
    return false;
  }
  if (count < 0) {
    RecordError(GL_INVALID_VALUE);
    return false;
  }
  // Without a position array GL draws nothing.
  return count > 0 && V().Positions.Enabled && V().Positions.Pointer;
}
}  // namespace

}  // namespace gl1

using namespace gl1;

extern "C" {

void glBegin(GLenum mode) {
  // No flush: consecutive primitives under one state share a draw.
  if (!Allowed()) return;
  if (!DrawableMode(mode)) return RecordError(GL_INVALID_ENUM);
  V().Inside = true;
  V().Mode = mode;
  V().Primitive.clear();
}

void glEnd() {
  if (!Ctx.Ready) return;
  if (!V().Inside) return RecordError(GL_INVALID_OPERATION);
  V().Inside = false;
  const std::vector<TStreamVertex>& p = V().Primitive;
  TStreamVertex* to = AppendVertices(V().Mode, p.size());
  std::copy(p.begin(), p.end(), to);
  AddPrimitives(V().Mode, nullptr, p.size());
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  // Outside glBegin/glEnd a vertex draws nothing (GL leaves it undefined).
  if (!V().Inside) return;
  const TCurrentAttributes& c = V().Current;
  TStreamVertex v;
  v.Position[0] = x;
  v.Position[1] = y;
  v.Position[2] = z;
  std::memcpy(v.Normal, c.Normal, sizeof v.Normal);
  std::memcpy(v.Color, c.Color, sizeof v.Color);
  std::memcpy(v.Uv, c.Uv, sizeof v.Uv);
  V().Primitive.push_back(v);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  float* n = V().Current.Normal;
  n[0] = x;
  n[1] = y;
  n[2] = z;
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  V().Current.Uv[0] = s;
  V().Current.Uv[1] = t;
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { SetColor(r, g, b, 1); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { SetColor(r, g, b, a); }
void glColor3b(GLbyte r, GLbyte g, GLbyte b) { SetColor(ByteToFloat(r), ByteToFloat(g), ByteToFloat(b), 1); }

void glEnableClientState(GLenum array) { SetClientState(array, true); }
void glDisableClientState(GLenum array) { SetClientState(array, false); }

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
  SetPointer(V().Positions, size, 2, 4, type, stride, pointer);
}
void glNormalPointer(GLenum type, GLsizei stride, const void* pointer) {
  SetPointer(V().Normals, 3, 3, 3, type, stride, pointer);
}
void glColorPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
  SetPointer(V().Colors, size, 3, 4, type, stride, pointer);
}
void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
  SetPointer(V().Uvs, size, 1, 4, type, stride, pointer);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  if (first < 0) {
    if (Allowed()) RecordError(GL_INVALID_VALUE);
    return;
  }
  if (!ArrayDrawAllowed(mode, count)) return;
  const auto n = static_cast<std::size_t>(count);
  Convert(static_cast<std::size_t>(first), n, AppendVertices(mode, n));
  AddPrimitives(mode, nullptr, n);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  if (type != GL_UNSIGNED_INT) {
    if (Allowed()) RecordError(GL_INVALID_ENUM);
    return;
  }
  if (!ArrayDrawAllowed(mode, count) || !indices) return;
  const auto* order = static_cast<const GLuint*>(indices);
  const GLuint last = *std::max_element(order, order + count);
  const std::size_t n = static_cast<std::size_t>(last) + 1;
  Convert(0, n, AppendVertices(mode, n));
  AddPrimitives(mode, order, static_cast<std::size_t>(count));
}

}  // extern "C"
