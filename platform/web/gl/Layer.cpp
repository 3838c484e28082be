#include "platform/web/gl/Layer.h"

namespace gl1 {

TContext Ctx;

void RecordError(GLenum error) {
  TErrorFlags& e = Ctx.Errors;
  for (int i = 0; i < e.Count; ++i)
    if (e.Pending[i] == error) return;
  if (e.Count < static_cast<int>(sizeof e.Pending / sizeof e.Pending[0])) e.Pending[e.Count++] = error;
}

bool Allowed() {
  if (!Ctx.Ready) return false;
  if (Ctx.Vertex.Inside) {
    RecordError(GL_INVALID_OPERATION);
    return false;
  }
  return true;
}

bool Change() {
  if (!Allowed()) return false;
  FlushBatch();
  return true;
}

bool Init(TGetProc getProc, std::string* error) {
  if (Ctx.Ready) Shutdown();
  Ctx = TContext{};
  std::string missing;
  if (!getProc || !LoadGles(Ctx.Gles, getProc, &missing)) {
    if (error) *error = "missing OpenGL ES entry points: " + missing;
    return false;
  }
  ResetMatrices(Ctx.Matrices);
  const TGles& gl = Ctx.Gles;
  while (gl.GetError() != GL_NO_ERROR) {
  }
  if (!CreateBatchBuffers()) {
    if (error) *error = "cannot create vertex buffers";
    return false;
  }
  // GL's initial viewport is the drawable's size, as ES's is.
  gl.GetIntegerv(GL_VIEWPORT, Ctx.Render.Viewport);
  Ctx.Textures.Records.try_emplace(0);
  Ctx.Ready = true;
  RestoreGlesState();
  return true;
}

void Shutdown() {
  if (!Ctx.Ready) return;
  FlushBatch();
  DeletePrograms();
  DeleteBatchBuffers();
  Ctx.Ready = false;
}

void Flush() {
  if (Ctx.Ready && !Ctx.Vertex.Inside) FlushBatch();
}

void RestoreGlesState() {
  if (!Ctx.Ready) return;
  const TGles& gl = Ctx.Gles;
  ApplyRenderState();
  gl.PixelStorei(GL_PACK_ALIGNMENT, Ctx.Textures.PackAlignment);
  gl.PixelStorei(GL_UNPACK_ALIGNMENT, Ctx.Textures.UnpackAlignment);
  gl.BindTexture(GL_TEXTURE_2D, Ctx.Textures.Bound);
  // The program is chosen again at the next draw.
  Ctx.Programs.Current = 0;
  gl.UseProgram(0);
}

}  // namespace gl1
