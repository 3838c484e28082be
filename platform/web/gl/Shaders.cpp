#include "platform/web/gl/Shaders.h"

#include <cstdio>
#include <vector>

#include "platform/web/gl/Layer.h"

namespace gl1 {

namespace {
const char* const VertexBody = R"(
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec3 a_normal;
layout(location = 2) in vec4 a_color;
layout(location = 3) in vec2 a_uv;
uniform mat4 u_mvp;
#if defined(LIGHTING) || defined(TEXGEN_S) || defined(TEXGEN_T)
#define NEEDS_EYE
uniform mat4 u_modelView;
uniform mat3 u_normalMatrix;
#endif
#ifdef LIGHTING
uniform vec4 u_lightPosition, u_lightAmbient, u_lightDiffuse, u_lightSpecular, u_sceneAmbient;
uniform vec4 u_matAmbient, u_matDiffuse, u_matSpecular, u_matEmission;
uniform float u_shininess, u_light0;
#endif
#if defined(TEXGEN_S) || defined(TEXGEN_T)
uniform vec2 u_sphereMap;  // per coordinate: 1 sphere map, 0 eye linear
#endif
#ifdef WIDE_LINE
layout(location = 4) in vec3 a_other;
layout(location = 5) in float a_side;
uniform vec2 u_viewportSize;
uniform float u_lineWidth;
#endif
out vec4 v_color;
out vec2 v_uv;

void main() {
#ifdef NEEDS_EYE
  vec3 eye = (u_modelView * vec4(a_position, 1.0)).xyz;
  vec3 n = u_normalMatrix * a_normal;
#ifdef NORMALIZE
  n = normalize(n);
#endif
#endif
  vec4 color = a_color;
#ifdef LIGHTING
#ifdef COLOR_MATERIAL
  vec4 ambient = a_color, diffuse = a_color;
#else
  vec4 ambient = u_matAmbient, diffuse = u_matDiffuse;
#endif
  vec3 lit = u_matEmission.rgb + u_sceneAmbient.rgb * ambient.rgb;
  if (u_light0 > 0.5) {
    vec3 l = u_lightPosition.w != 0.0 ? normalize(u_lightPosition.xyz / u_lightPosition.w - eye)
                                      : normalize(u_lightPosition.xyz);
    float nl = max(dot(n, l), 0.0);
    lit += u_lightAmbient.rgb * ambient.rgb + nl * u_lightDiffuse.rgb * diffuse.rgb;
    if (nl > 0.0) {
      // Infinite viewer: the half vector leans on +z.
      float nh = max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0);
      float s = u_shininess == 0.0 ? 1.0 : pow(nh, u_shininess);
      lit += s * u_lightSpecular.rgb * u_matSpecular.rgb;
    }
  }
  color = vec4(lit, diffuse.a);
#endif
  v_color = clamp(color, 0.0, 1.0);
  vec2 uv = a_uv;
#if defined(TEXGEN_S) || defined(TEXGEN_T)
  vec3 u = normalize(eye);
  vec3 r = u - 2.0 * dot(n, u) * n;
  float m = 2.0 * sqrt(r.x * r.x + r.y * r.y + (r.z + 1.0) * (r.z + 1.0));
  vec2 sphere = r.xy / m + 0.5;
#ifdef TEXGEN_S
  uv.x = u_sphereMap.x > 0.5 ? sphere.x : eye.x;
#endif
#ifdef TEXGEN_T
  uv.y = u_sphereMap.y > 0.5 ? sphere.y : eye.y;
#endif
#endif
  v_uv = uv;
#ifdef WIDE_LINE
  vec4 a = u_mvp * vec4(a_position, 1.0);
  vec4 b = u_mvp * vec4(a_other, 1.0);
  // Cut the segment at the near plane so that both ends project.
  float da = a.z + a.w, db = b.z + b.w;
  if (da < 0.0 && db > 0.0) a = mix(a, b, da / (da - db));
  if (db < 0.0 && da > 0.0) b = mix(b, a, db / (db - da));
  vec2 d = (b.xy / b.w - a.xy / a.w) * u_viewportSize;
  // Half the width in window space is width / size in normalised units.
  vec2 offset = abs(d.x) >= abs(d.y) ? vec2(0.0, u_lineWidth / u_viewportSize.y)
                                     : vec2(u_lineWidth / u_viewportSize.x, 0.0);
  gl_Position = a + vec4(offset * a_side * a.w, 0.0, 0.0);
#else
  gl_Position = u_mvp * vec4(a_position, 1.0);
#endif
}
)";

const char* const FragmentBody = R"(
in vec4 v_color;
in vec2 v_uv;
out vec4 o_color;
#ifdef TEXTURE
uniform sampler2D u_texture;
#endif
#if defined(CLAMP_S) || defined(CLAMP_T)
uniform ivec2 u_filters;  // GL's magnification and minification filters
uniform float u_borderAlpha;  // 0: an RGB texture, whose alpha stays 1

// A linear filter at s on a level `size` texels wide takes this share from
// the texels, the rest from the border (transparent black).
float EdgeShare(float s, float size) {
  float c = clamp(s, 0.0, 1.0);
  return min(1.0, min(c * size + 0.5, (1.0 - c) * size + 0.5));
}

// 2^n, the exponent of x (floor(log2(x)) for x > 0) and its mantissa in [1, 2).
float Pow2(int n) { return intBitsToFloat((n + 127) << 23); }
int Exponent(float x) { return (floatBitsToInt(x) >> 23) - 127; }
float Mantissa(float x) { return intBitsToFloat((floatBitsToInt(x) & 0x007fffff) | 0x3f800000); }

float LevelShare(vec2 st, int level, vec2 size0) {
  vec2 size = max(floor(size0 * Pow2(-level)), vec2(1.0));
  float share = 1.0;
#ifdef CLAMP_S
  share *= EdgeShare(st.x, size.x);
#endif
#ifdef CLAMP_T
  share *= EdgeShare(st.y, size.y);
#endif
  return share;
}

// The level of detail as a software GL takes it, cheaply: rho the largest
// texel step across the pixel, the nearest level from the exponent of
// rho * sqrt(2), the linear blend from exponent and mantissa.
float TexelShare(vec2 st) {
  vec2 size0 = vec2(textureSize(u_texture, 0));
  vec2 dx = abs(dFdx(st) * size0), dy = abs(dFdy(st) * size0);
  float rho = max(max(dx.x, dx.y), max(dy.x, dy.y));
  int mode = rho > 1.0 ? u_filters.y : u_filters.x;
  int top = Exponent(max(size0.x, size0.y));
  if (mode == 0x2601) return LevelShare(st, 0, size0);  // GL_LINEAR
  if (mode == 0x2701)                                    // GL_LINEAR_MIPMAP_NEAREST
    return LevelShare(st, clamp(Exponent(rho * 1.41421356), 0, top), size0);
  if (mode == 0x2703) {  // GL_LINEAR_MIPMAP_LINEAR
    int e = Exponent(rho);
    if (e < 0) return LevelShare(st, 0, size0);
    return mix(LevelShare(st, min(e, top), size0), LevelShare(st, min(e + 1, top), size0), Mantissa(rho) - 1.0);
  }
  return 1.0;  // nearest texels never reach the border
}
#endif

void main() {
  vec4 c = v_color;
#ifdef TEXTURE
  vec4 t = texture(u_texture, v_uv);
#if defined(CLAMP_S) || defined(CLAMP_T)
  float share = TexelShare(v_uv);
  t *= vec4(vec3(share), mix(1.0, share, u_borderAlpha));
#endif
  c *= t;
#endif
  o_color = c;
}
)";

struct TDefine {
  std::uint32_t Feature;
  const char* Name;
};
const TDefine Defines[] = {
    {FeatureTexture, "TEXTURE"},       {FeatureClampS, "CLAMP_S"},   {FeatureClampT, "CLAMP_T"},
    {FeatureLighting, "LIGHTING"},     {FeatureColorMaterial, "COLOR_MATERIAL"},
    {FeatureNormalize, "NORMALIZE"},   {FeatureTexgenS, "TEXGEN_S"}, {FeatureTexgenT, "TEXGEN_T"},
    {FeatureWideLine, "WIDE_LINE"},
};

GLuint Compile(GLenum type, const std::string& source, std::uint32_t features) {
  const TGles& gl = Ctx.Gles;
  const GLuint shader = gl.CreateShader(type);
  const char* text = source.c_str();
  gl.ShaderSource(shader, 1, &text, nullptr);
  gl.CompileShader(shader);
  GLint ok = GL_FALSE;
  gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) return shader;
  std::vector<GLchar> log(4096, 0);
  gl.GetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
  std::fprintf(stderr, "gl1: %s shader 0x%x does not compile:\n%s\n",
               type == GL_VERTEX_SHADER ? "vertex" : "fragment", features, log.data());
  gl.DeleteShader(shader);
  return 0;
}

TProgram Build(std::uint32_t features) {
  const TGles& gl = Ctx.Gles;
  TProgram p;
  const GLuint vs = Compile(GL_VERTEX_SHADER, ShaderSource(features, false), features);
  const GLuint fs = Compile(GL_FRAGMENT_SHADER, ShaderSource(features, true), features);
  if (vs && fs) {
    p.Id = gl.CreateProgram();
    gl.AttachShader(p.Id, vs);
    gl.AttachShader(p.Id, fs);
    gl.LinkProgram(p.Id);
    GLint ok = GL_FALSE;
    gl.GetProgramiv(p.Id, GL_LINK_STATUS, &ok);
    if (!ok) {
      std::vector<GLchar> log(4096, 0);
      gl.GetProgramInfoLog(p.Id, static_cast<GLsizei>(log.size()), nullptr, log.data());
      std::fprintf(stderr, "gl1: program 0x%x does not link:\n%s\n", features, log.data());
      gl.DeleteProgram(p.Id);
      p.Id = 0;
    }
  }
  if (vs) gl.DeleteShader(vs);
  if (fs) gl.DeleteShader(fs);
  if (!p.Id) {
    p.Failed = true;
    return p;
  }
  auto at = [&](const char* name) { return gl.GetUniformLocation(p.Id, name); };
  p.Mvp = at("u_mvp");
  p.ModelView = at("u_modelView");
  p.NormalMatrix = at("u_normalMatrix");
  p.LightPosition = at("u_lightPosition");
  p.LightAmbient = at("u_lightAmbient");
  p.LightDiffuse = at("u_lightDiffuse");
  p.LightSpecular = at("u_lightSpecular");
  p.Light0 = at("u_light0");
  p.SceneAmbient = at("u_sceneAmbient");
  p.MatAmbient = at("u_matAmbient");
  p.MatDiffuse = at("u_matDiffuse");
  p.MatSpecular = at("u_matSpecular");
  p.MatEmission = at("u_matEmission");
  p.Shininess = at("u_shininess");
  p.SphereMap = at("u_sphereMap");
  p.Texture = at("u_texture");
  p.Filters = at("u_filters");
  p.BorderAlpha = at("u_borderAlpha");
  p.ViewportSize = at("u_viewportSize");
  p.LineWidth = at("u_lineWidth");
  gl.UseProgram(p.Id);
  if (p.Texture >= 0) gl.Uniform1i(p.Texture, 0);
  Ctx.Programs.Current = p.Id;
  return p;
}
}  // namespace

std::string ShaderSource(std::uint32_t features, bool fragment) {
  std::string s = "#version 300 es\nprecision highp float;\nprecision highp int;\n";
  for (const TDefine& d : Defines)
    if (features & d.Feature) s += std::string("#define ") + d.Name + "\n";
  s += fragment ? FragmentBody : VertexBody;
  return s;
}

const TProgram* UseProgram(std::uint32_t features) {
  auto it = Ctx.Programs.Programs.find(features);
  if (it == Ctx.Programs.Programs.end()) it = Ctx.Programs.Programs.emplace(features, Build(features)).first;
  const TProgram& p = it->second;
  if (p.Failed) return nullptr;
  if (Ctx.Programs.Current != p.Id) {
    Ctx.Gles.UseProgram(p.Id);
    Ctx.Programs.Current = p.Id;
  }
  return &p;
}

void DeletePrograms() {
  for (auto& [key, p] : Ctx.Programs.Programs)
    if (p.Id) Ctx.Gles.DeleteProgram(p.Id);
  Ctx.Programs = TProgramCache{};
}

}  // namespace gl1
