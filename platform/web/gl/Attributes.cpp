// Attributes: glPushAttrib and glPushClientAttrib, for every bit at once
// (the only masks the engine passes): the settings the layer keeps are
// copied onto a stack and put back, texture objects and their pixels aside,
// as GL leaves them.
#include <vector>

#include "platform/web/gl/Layer.h"

namespace gl1 {
namespace {
// GL's minimum attribute stack depth.
constexpr std::size_t AttribDepth = 16;

struct TServerAttributes {
  TRenderState Render;
  TLightingState Lighting;
  TCurrentAttributes Current;
  GLuint Bound;
  bool Texture2D, GenS, GenT;
  GLenum GenMode[2];
  GLenum MatrixMode;
};

struct TClientAttributes {
  TClientArray Positions, Normals, Colors, Uvs;
  GLint UnpackAlignment, PackAlignment;
};

std::vector<TServerAttributes> Server;
std::vector<TClientAttributes> Client;
}  // namespace
}  // namespace gl1

using namespace gl1;

extern "C" {

void glPushAttrib(GLbitfield) {
  if (!Change()) return;
  if (Server.size() >= AttribDepth) return RecordError(GL_STACK_OVERFLOW);
  const TTextureState& t = Ctx.Textures;
  Server.push_back({Ctx.Render, Ctx.Lighting, Ctx.Vertex.Current, t.Bound, t.Texture2D, t.GenS, t.GenT,
                    {t.GenMode[0], t.GenMode[1]}, Ctx.Matrices.Mode});
}

void glPopAttrib() {
  if (!Change()) return;
  if (Server.empty()) return RecordError(GL_STACK_UNDERFLOW);
  const TServerAttributes& a = Server.back();
  TTextureState& t = Ctx.Textures;
  Ctx.Render = a.Render;
  Ctx.Lighting = a.Lighting;
  Ctx.Vertex.Current = a.Current;
  // A texture deleted since is bound no more.
  t.Bound = t.Records.count(a.Bound) ? a.Bound : 0;
  t.Texture2D = a.Texture2D;
  t.GenS = a.GenS;
  t.GenT = a.GenT;
  t.GenMode[0] = a.GenMode[0];
  t.GenMode[1] = a.GenMode[1];
  Ctx.Matrices.Mode = a.MatrixMode;
  Server.pop_back();
  RestoreGlesState();
}

void glPushClientAttrib(GLbitfield) {
  if (!Allowed()) return;
  if (Client.size() >= AttribDepth) return RecordError(GL_STACK_OVERFLOW);
  const TVertexState& v = Ctx.Vertex;
  Client.push_back({v.Positions, v.Normals, v.Colors, v.Uvs, Ctx.Textures.UnpackAlignment, Ctx.Textures.PackAlignment});
}

void glPopClientAttrib() {
  if (!Allowed()) return;
  if (Client.empty()) return RecordError(GL_STACK_UNDERFLOW);
  const TClientAttributes& a = Client.back();
  TVertexState& v = Ctx.Vertex;
  v.Positions = a.Positions;
  v.Normals = a.Normals;
  v.Colors = a.Colors;
  v.Uvs = a.Uvs;
  Ctx.Textures.UnpackAlignment = a.UnpackAlignment;
  Ctx.Textures.PackAlignment = a.PackAlignment;
  Client.pop_back();
  RestoreGlesState();
}

}  // extern "C"
