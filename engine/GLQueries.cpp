// GLQueries: thin by design; each call is the GL call it names, so callers
// keep the exact GL traffic they had.
#include "engine/GLQueries.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <initializer_list>

#include "platform/Display.h"

void ReadFramePixels(int width, int height, std::uint8_t* rgba) {
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  DisplayResolveFrame(0, 0, width, height);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
}

void FinishDrawing() { glFinish(); }

const char* RendererName() { return reinterpret_cast<const char*>(glGetString(GL_RENDERER)); }

int LargestFrameSide() {
  GLint texture = 0, renderbuffer = 0, viewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  int least = 0;
  for (GLint side : {texture, renderbuffer, viewport[0], viewport[1]})
    if (side > 0 && (least == 0 || side < least)) least = side;
  return least;
}
