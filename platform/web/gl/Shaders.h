// Shaders: the GLSL ES 3.00 programs that stand in for the fixed-function
// pipeline, one per combination of features a draw needs (texturing,
// GL_CLAMP borders, lighting, colour material, normalising, coordinate
// generation, wide lines), compiled on first use and kept. Lighting is per
// vertex and the colour clamped before interpolation, as fixed-function
// GL does it.
// Needs: Layer (the GLES table).
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace gl1 {

enum TFeature : std::uint32_t {
  FeatureTexture = 1 << 0,
  FeatureClampS = 1 << 1,  // GL_CLAMP with a linear filter: blend in the border
  FeatureClampT = 1 << 2,
  FeatureLighting = 1 << 3,
  FeatureColorMaterial = 1 << 4,
  FeatureNormalize = 1 << 5,
  FeatureTexgenS = 1 << 6,
  FeatureTexgenT = 1 << 7,
  FeatureWideLine = 1 << 8,
};

// Attribute locations, fixed in the shaders' source.
enum TAttribute : GLuint { AttribPosition, AttribNormal, AttribColor, AttribUv, AttribOther, AttribSide };

struct TProgram {
  GLuint Id = 0;
  bool Failed = false;
  GLint Mvp = -1, ModelView = -1, NormalMatrix = -1;
  GLint LightPosition = -1, LightAmbient = -1, LightDiffuse = -1, LightSpecular = -1, Light0 = -1;
  GLint SceneAmbient = -1, MatAmbient = -1, MatDiffuse = -1, MatSpecular = -1, MatEmission = -1, Shininess = -1;
  GLint SphereMap = -1, Texture = -1, Filters = -1, BorderAlpha = -1, ViewportSize = -1, LineWidth = -1;
};

struct TProgramCache {
  std::unordered_map<std::uint32_t, TProgram> Programs;
  GLuint Current = 0;  // last program given to glUseProgram
};

// The source of one stage for a feature set.
std::string ShaderSource(std::uint32_t features, bool fragment);
// The program for a feature set, made current; null if it failed to build
// (its log went to stderr once).
const TProgram* UseProgram(std::uint32_t features);
void DeletePrograms();

}  // namespace gl1
