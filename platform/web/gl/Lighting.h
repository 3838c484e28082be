// Lighting: the one light (GL_LIGHT0) and the material the engine lights
// with, and GL_COLOR_MATERIAL in its default mode (front and back, ambient
// and diffuse follow the current colour). The shaders light per vertex, as
// fixed-function GL does. Scene ambient is GL's default; attenuation and
// spotlights stay at GL's defaults, which switch them off.
// Needs: Layer (context and errors).
#pragma once
#include <GL/gl.h>

namespace gl1 {

struct TLightSource {
  float Ambient[4] = {0, 0, 0, 1};
  float Diffuse[4] = {1, 1, 1, 1};   // GL_LIGHT0's defaults
  float Specular[4] = {1, 1, 1, 1};
  float EyePosition[4] = {0, 0, 1, 0};  // transformed by the modelview when set
};

struct TMaterial {
  float Ambient[4] = {0.2f, 0.2f, 0.2f, 1};
  float Diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
  float Specular[4] = {0, 0, 0, 1};
  float Emission[4] = {0, 0, 0, 1};
  float Shininess = 0;
};

struct TLightingState {
  bool Lighting = false, Light0 = false, Normalize = false, ColorMaterial = false;
  TLightSource Light0Params;
  TMaterial Front, Back;  // one-sided lighting draws with Front only
  float SceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
};

// With GL_COLOR_MATERIAL on, the current colour becomes both materials'
// ambient and diffuse, and stays there after it is switched off.
void TrackColorMaterial(const float color[4]);

}  // namespace gl1
