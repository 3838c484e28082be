#include "platform/web/gl/Batch.h"

#include <cstddef>

#include "platform/web/gl/Layer.h"

namespace gl1 {

bool DrawableMode(GLenum mode) { return mode == GL_TRIANGLES || mode == GL_QUADS || mode == GL_LINES; }

namespace {
// A batch this large is drawn before more is added, to bound its memory.
constexpr std::size_t FlushAtVertices = std::size_t{1} << 20;

TBatchKind KindFor(GLenum mode) {
  if (mode != GL_LINES) return TBatchKind::Triangles;
  return Ctx.Render.LineWidth > 1.0f ? TBatchKind::WideLines : TBatchKind::Lines;
}

void Prepare(TBatchKind kind) {
  TBatch& b = Ctx.Batch;
  if ((b.Kind != kind && b.Kind != TBatchKind::Empty) || b.Vertices.size() + b.LineVertices.size() >= FlushAtVertices)
    FlushBatch();
  b.Kind = kind;
}

void Copy3(float* to, const float* from) {
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
}

bool LinearAnywhere(const TTextureRecord& t) {
  return t.MagFilter == GL_LINEAR || t.MinFilter == GL_LINEAR || t.MinFilter == GL_LINEAR_MIPMAP_NEAREST ||
         t.MinFilter == GL_LINEAR_MIPMAP_LINEAR;
}

std::uint32_t Features(TBatchKind kind, const TTextureRecord* t) {
  std::uint32_t f = 0;
  const TLightingState& l = Ctx.Lighting;
  if (t) {
    f |= FeatureTexture;
    if (t->WrapS == GL_CLAMP && LinearAnywhere(*t)) f |= FeatureClampS;
    if (t->WrapT == GL_CLAMP && LinearAnywhere(*t)) f |= FeatureClampT;
    // Generated coordinates only matter to a texture.
    if (Ctx.Textures.GenS) f |= FeatureTexgenS;
    if (Ctx.Textures.GenT) f |= FeatureTexgenT;
  }
  if (l.Lighting) f |= FeatureLighting | (l.ColorMaterial ? std::uint32_t{FeatureColorMaterial} : 0u);
  if (l.Normalize && (f & (FeatureLighting | FeatureTexgenS | FeatureTexgenT))) f |= FeatureNormalize;
  if (kind == TBatchKind::WideLines) f |= FeatureWideLine;
  return f;
}

void SetUniforms(const TProgram& p, const TTextureRecord* t) {
  const TGles& gl = Ctx.Gles;
  const TMat4& mv = Ctx.Matrices.ModelView.Top();
  const TMat4 mvp = Multiply(Ctx.Matrices.Projection.Top(), mv);
  gl.UniformMatrix4fv(p.Mvp, 1, GL_FALSE, mvp.m.data());
  if (p.ModelView >= 0) gl.UniformMatrix4fv(p.ModelView, 1, GL_FALSE, mv.m.data());
  if (p.NormalMatrix >= 0) gl.UniformMatrix3fv(p.NormalMatrix, 1, GL_FALSE, NormalMatrix(mv).data());
  if (p.LightPosition >= 0) {
    const TLightingState& l = Ctx.Lighting;
    const TMaterial& m = l.Front;
    gl.Uniform4fv(p.LightPosition, 1, l.Light0Params.EyePosition);
    gl.Uniform4fv(p.LightAmbient, 1, l.Light0Params.Ambient);
    gl.Uniform4fv(p.LightDiffuse, 1, l.Light0Params.Diffuse);
    gl.Uniform4fv(p.LightSpecular, 1, l.Light0Params.Specular);
    gl.Uniform1f(p.Light0, l.Light0 ? 1.0f : 0.0f);
    gl.Uniform4fv(p.SceneAmbient, 1, l.SceneAmbient);
    if (p.MatAmbient >= 0) gl.Uniform4fv(p.MatAmbient, 1, m.Ambient);
    if (p.MatDiffuse >= 0) gl.Uniform4fv(p.MatDiffuse, 1, m.Diffuse);
    gl.Uniform4fv(p.MatSpecular, 1, m.Specular);
    gl.Uniform4fv(p.MatEmission, 1, m.Emission);
    gl.Uniform1f(p.Shininess, m.Shininess);
  }
  if (p.SphereMap >= 0)
    gl.Uniform2f(p.SphereMap, Ctx.Textures.GenMode[0] == GL_SPHERE_MAP ? 1.0f : 0.0f,
                 Ctx.Textures.GenMode[1] == GL_SPHERE_MAP ? 1.0f : 0.0f);
  if (p.Filters >= 0 && t) {
    gl.Uniform2i(p.Filters, static_cast<GLint>(t->MagFilter), static_cast<GLint>(t->MinFilter));
    gl.Uniform1f(p.BorderAlpha, t->Channels == 4 ? 1.0f : 0.0f);
  }
  if (p.ViewportSize >= 0) {
    const GLint* v = Ctx.Render.Viewport;
    gl.Uniform2f(p.ViewportSize, static_cast<float>(v[2] > 0 ? v[2] : 1), static_cast<float>(v[3] > 0 ? v[3] : 1));
    gl.Uniform1f(p.LineWidth, Ctx.Render.LineWidth);
  }
}

void Clear(TBatch& b) {
  b.Kind = TBatchKind::Empty;
  b.Base = 0;
  b.Sequential = true;
  b.SequentialCount = 0;
  b.Vertices.clear();
  b.LineVertices.clear();
  b.Indices.clear();
}
}  // namespace

TStreamVertex* AppendVertices(GLenum mode, std::size_t count) {
  const TBatchKind kind = KindFor(mode);
  Prepare(kind);
  TBatch& b = Ctx.Batch;
  TVertexVector<TStreamVertex>& to = kind == TBatchKind::WideLines ? b.LineEnds : b.Vertices;
  if (kind == TBatchKind::WideLines) to.clear();
  b.Base = to.size();
  to.resize(b.Base + count);
  return to.data() + b.Base;
}

void AddPrimitives(GLenum mode, const GLuint* order, std::size_t count) {
  const TBatchKind kind = KindFor(mode);
  auto corner = [&](std::size_t i) { return order ? order[i] : static_cast<GLuint>(i); };
  TBatch& b = Ctx.Batch;
  const std::size_t per = mode == GL_QUADS ? 4 : mode == GL_LINES ? 2 : 3;
  if (kind != TBatchKind::WideLines && mode != GL_QUADS && !order && count % per == 0 && b.Sequential &&
      b.Base == b.SequentialCount) {
    b.SequentialCount += count;
    return;
  }
  if (b.Sequential) {
    for (std::size_t i = 0; i < b.SequentialCount; ++i) b.Indices.push_back(static_cast<GLuint>(i));
    b.Sequential = false;
  }
  if (kind == TBatchKind::WideLines) {
    const TStreamVertex* vertices = b.LineEnds.data();
    for (std::size_t i = 0; i + 1 < count; i += 2) {
      const TStreamVertex& a = vertices[corner(i)];
      const TStreamVertex& e = vertices[corner(i + 1)];
      const auto base = static_cast<GLuint>(b.LineVertices.size());
      for (const TStreamVertex* end : {&a, &e})
        for (float side : {-1.0f, 1.0f}) {
          TLineVertex v;
          v.End = *end;
          Copy3(v.Other, end == &a ? e.Position : a.Position);
          v.Side = side;
          b.LineVertices.push_back(v);
        }
      for (GLuint k : {0u, 2u, 3u, 0u, 3u, 1u}) b.Indices.push_back(base + k);
    }
    return;
  }
  const auto base = static_cast<GLuint>(b.Base);
  if (mode == GL_QUADS) {
    for (std::size_t i = 0; i + 3 < count; i += 4)
      for (std::size_t k : {0, 1, 2, 0, 2, 3}) b.Indices.push_back(base + corner(i + k));
    return;
  }
  for (std::size_t i = 0; i < count - count % per; ++i) b.Indices.push_back(base + corner(i));
}

void FlushBatch() {
  TBatch& b = Ctx.Batch;
  const std::size_t corners = b.Sequential ? b.SequentialCount : b.Indices.size();
  if (b.Kind == TBatchKind::Empty || corners == 0) return Clear(b);
  const TTextureRecord* t = ActiveTexture();
  const TProgram* p = UseProgram(Features(b.Kind, t));
  if (!p) {
    RecordError(GL_INVALID_OPERATION);
    return Clear(b);
  }
  SetUniforms(*p, t);
  const TGles& gl = Ctx.Gles;
  const bool wide = b.Kind == TBatchKind::WideLines;
  const int layout = wide ? 1 : 0;
  gl.BindVertexArray(b.Vao[layout]);
  gl.BindBuffer(GL_ARRAY_BUFFER, b.Vbo[layout]);
  if (wide)
    gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(b.LineVertices.size() * sizeof(TLineVertex)),
                  b.LineVertices.data(), GL_STREAM_DRAW);
  else
    gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(b.Vertices.size() * sizeof(TStreamVertex)),
                  b.Vertices.data(), GL_STREAM_DRAW);
  if (!b.Sequential)
    gl.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(b.Indices.size() * sizeof(GLuint)),
                  b.Indices.data(), GL_STREAM_DRAW);
  // Lines are never culled; their quads must not be either.
  const bool uncull = wide && Ctx.Render.CullFace;
  if (uncull) gl.Disable(GL_CULL_FACE);
  const GLenum mode = b.Kind == TBatchKind::Lines ? GL_LINES : GL_TRIANGLES;
  if (b.Sequential)
    gl.DrawArrays(mode, 0, static_cast<GLsizei>(corners));
  else
    gl.DrawElements(mode, static_cast<GLsizei>(corners), GL_UNSIGNED_INT, nullptr);
  if (uncull) gl.Enable(GL_CULL_FACE);
  ++b.Draws;
  Clear(b);
}

namespace {
void Attribute(GLuint index, GLint size, std::size_t stride, std::size_t offset) {
  Ctx.Gles.EnableVertexAttribArray(index);
  Ctx.Gles.VertexAttribPointer(index, size, GL_FLOAT, GL_FALSE, static_cast<GLsizei>(stride),
                               reinterpret_cast<const void*>(offset));
}
}  // namespace

bool CreateBatchBuffers() {
  const TGles& gl = Ctx.Gles;
  TBatch& b = Ctx.Batch;
  gl.GenVertexArrays(2, b.Vao);
  gl.GenBuffers(2, b.Vbo);
  gl.GenBuffers(2, b.Ebo);
  for (int layout = 0; layout < 2; ++layout) {
    gl.BindVertexArray(b.Vao[layout]);
    gl.BindBuffer(GL_ARRAY_BUFFER, b.Vbo[layout]);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.Ebo[layout]);
    const std::size_t stride = layout ? sizeof(TLineVertex) : sizeof(TStreamVertex);
    const std::size_t end = layout ? offsetof(TLineVertex, End) : 0;
    Attribute(AttribPosition, 3, stride, end + offsetof(TStreamVertex, Position));
    Attribute(AttribNormal, 3, stride, end + offsetof(TStreamVertex, Normal));
    Attribute(AttribColor, 4, stride, end + offsetof(TStreamVertex, Color));
    Attribute(AttribUv, 2, stride, end + offsetof(TStreamVertex, Uv));
    if (layout) {
      Attribute(AttribOther, 3, stride, offsetof(TLineVertex, Other));
      Attribute(AttribSide, 1, stride, offsetof(TLineVertex, Side));
    }
  }
  gl.BindVertexArray(0);
  return b.Vao[0] && b.Vao[1] && b.Vbo[0] && b.Vbo[1] && b.Ebo[0] && b.Ebo[1];
}

void DeleteBatchBuffers() {
  const TGles& gl = Ctx.Gles;
  TBatch& b = Ctx.Batch;
  gl.DeleteVertexArrays(2, b.Vao);
  gl.DeleteBuffers(2, b.Vbo);
  gl.DeleteBuffers(2, b.Ebo);
  b = TBatch{};
}

}  // namespace gl1
