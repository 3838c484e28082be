#include "engine/GLErrors.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>

#include "platform/Process.h"

namespace {
bool ChecksFromBuild() {
#ifdef NDEBUG
  return EnvironmentSwitch("DEMO_GL_CHECK");
#else
  return true;
#endif
}

// -1 until the first check asks the build and the environment.
int Checks = -1;
long long Frame = 0;
long long Seen = 0;
// Past this many lines a run that repeats an error every frame would bury
// everything else on stderr: later errors are only counted.
constexpr long long MostShown = 20;
// A context that was lost may hold its error for good; GL 1.x has six flags.
constexpr int MostPerCheck = 16;
}  // namespace

bool GLChecksOn() {
  if (Checks < 0) Checks = ChecksFromBuild() ? 1 : 0;
  return Checks == 1;
}

void SetGLChecks(bool On) { Checks = On ? 1 : 0; }

std::string GLErrorName(unsigned Code) {
  switch (Code) {
    case GL_NO_ERROR: return "GL_NO_ERROR";
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    case GL_INVALID_FRAMEBUFFER_OPERATION: return "GL_INVALID_FRAMEBUFFER_OPERATION";  // FrameTarget draws to one
  }
  char text[32];
  std::snprintf(text, sizeof text, "GL error 0x%04X", Code);
  return text;
}

int CheckGLErrors(const std::string& Where) {
  if (!GLChecksOn()) return 0;
  int found = 0;
  for (GLenum e = glGetError(); e != GL_NO_ERROR && found < MostPerCheck; e = glGetError()) {
    ++found;
    ++Seen;
    if (Seen <= MostShown)
      std::fprintf(stderr, "GL error: %s after %s\n", GLErrorName(e).c_str(), Where.c_str());
    if (Seen == MostShown)
      std::fprintf(stderr, "GL error: %lld shown; later ones are only counted\n", MostShown);
  }
  return found;
}

int CheckGLErrorsAfterFrame() {
  const long long frame = Frame++;
  if (!GLChecksOn()) return 0;
  return CheckGLErrors("frame " + std::to_string(frame));
}

long long GLErrorsSeen() { return Seen; }
