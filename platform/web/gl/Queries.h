// Queries: glGetError (the layer's own flags first, then ES's), the glGet
// values the engine asks for, glGetString, and the calls that need the
// batch drawn first: glReadPixels, glFlush, glFinish.
// Needs: Layer (context, errors, the GLES table).
#pragma once
#include <GL/gl.h>

namespace gl1 {

// The next error flag, cleared; GL_NO_ERROR when there is none.
GLenum TakeError();

}  // namespace gl1
