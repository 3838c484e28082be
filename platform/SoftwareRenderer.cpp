// SoftwareRenderer: a search of the renderer's name for the rasterizers' own.
#include "platform/SoftwareRenderer.h"

#include <cstring>
#include <initializer_list>

bool IsSoftwareRenderer(const char* rendererName) {
  if (!rendererName) return false;
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "SwiftShader"})
    if (std::strstr(rendererName, name)) return true;
  return false;
}
