#include "platform/web/gl/GlesFunctions.h"

namespace gl1 {

bool LoadGles(TGles& gles, TGetProc getProc, std::string* missing) {
  bool all = true;
  // Object pointers and function pointers share a representation on every
  // platform the layer targets; the loaders hand back void*.
#define GL1_LOAD(ret, name, params)                                      \
  gles.name = reinterpret_cast<decltype(gles.name)>(getProc("gl" #name)); \
  if (!gles.name) {                                                      \
    all = false;                                                         \
    if (missing) *missing += (missing->empty() ? "gl" : " gl") + std::string(#name); \
  }
  GL1_GLES_FUNCTIONS(GL1_LOAD)
#undef GL1_LOAD
  return all;
}

}  // namespace gl1
