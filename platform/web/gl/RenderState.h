// RenderState: the switches and fixed-function settings outside lighting
// and textures: blending, depth, culling, clears, viewport, line width,
// hints and shading. What ES has is passed on at once; the layer keeps a
// copy for glGet and for RestoreGlesState.
// Needs: Layer (context, errors, the GLES table).
#pragma once
#include <GL/gl.h>

namespace gl1 {

struct TRenderState {
  bool Blend = false, DepthTest = false, CullFace = false;
  GLenum BlendSrc = GL_ONE, BlendDst = GL_ZERO, DepthFunc = GL_LESS;
  float ClearColor[4] = {0, 0, 0, 0};
  float ClearDepth = 1;
  GLint Viewport[4] = {0, 0, 0, 0};
  float LineWidth = 1;
};

// Sends the kept state to ES again (after other code drew on the context).
void ApplyRenderState();

}  // namespace gl1
