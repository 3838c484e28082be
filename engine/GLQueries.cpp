// GLQueries: thin by design; each call is the GL call it names, so callers
// keep the exact GL traffic they had.
#include "engine/GLQueries.h"

#include <GL/gl.h>

void ReadFramePixels(int width, int height, std::uint8_t* rgba) {
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
}

void FinishDrawing() { glFinish(); }

const char* RendererName() { return reinterpret_cast<const char*>(glGetString(GL_RENDERER)); }
