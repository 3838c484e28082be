// Layer: the GL 1.x layer's context and its public face. The engine's GL
// and GLU calls (glBegin, glEnable, gluPerspective, ...) are defined by the
// modules of this folder and draw through an OpenGL ES 3.0 / WebGL 2
// context whose entry points Init loads. One context per process; it is
// current whenever GL is called.
// The layer owns the ES state it sets (program, vertex arrays, buffers,
// texture binding, blend, depth, cull, viewport, pixel store): code that
// draws with ES directly calls RestoreGlesState before the next GL call.
// Needs: a current ES 3.0 context for Init and every GL call after it.
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <string>

#include "platform/web/gl/Batch.h"
#include "platform/web/gl/GlesFunctions.h"
#include "platform/web/gl/Lighting.h"
#include "platform/web/gl/Matrices.h"
#include "platform/web/gl/RenderState.h"
#include "platform/web/gl/Shaders.h"
#include "platform/web/gl/Textures.h"
#include "platform/web/gl/Vertices.h"

namespace gl1 {

struct TErrorFlags {
  // GL keeps one flag per kind of error; glGetError reports and clears one.
  GLenum Pending[6] = {};
  int Count = 0;
};

struct TContext {
  bool Ready = false;
  TGles Gles;
  TErrorFlags Errors;
  TMatrixState Matrices;
  TLightingState Lighting;
  TTextureState Textures;
  TRenderState Render;
  TVertexState Vertex;
  TBatch Batch;
  TProgramCache Programs;
};
extern TContext Ctx;

// Loads the ES entry points through `getProc` and sets GL's initial state
// (viewport from ES's). False, with the reason in `error`, if an entry
// point is missing or the buffers cannot be made.
bool Init(TGetProc getProc, std::string* error = nullptr);
// Frees the layer's ES objects; GL calls do nothing until the next Init.
void Shutdown();
// Draws what is batched (glFlush, glFinish and read-backs do it too).
void Flush();
void RestoreGlesState();

// Records a GL error flag for glGetError.
void RecordError(GLenum error);
// To be called first by every entry point that changes state: false
// (GL_INVALID_OPERATION) between glBegin and glEnd, or before Init;
// otherwise draws the batch, which was made under the state before this.
bool Change();
// The same check for calls that leave the batch's state alone (array
// pointers, array draws, glBegin): they add to the batch instead.
bool Allowed();

}  // namespace gl1
