// QRN2Materials: the texture registry (each image file loaded once and
// shared by name), the draw-state switches between flat colour, texturing and
// sphere mapping, and the `Material` that a mesh applies before drawing.
// Needs: QRN2Textures, TGA, QRN2Classes (TColor4), a current GL context.
#pragma once
#include <GL/gl.h>

#include <string>
#include <vector>

#include "engine/QRN2Classes.h"

// Stands for "no texture"; lookups of unknown names return it.
constexpr GLuint NoTexture = static_cast<GLuint>(-1);

struct TTexRegItem {
  std::string Name;  // the file name exactly as asked for
  GLuint Texture;
};
// Entries in registration order; appended to while the demo runs.
extern std::vector<TTexRegItem> TextureRegistry;
extern int TextureCount;

// The texture of the last entry named exactly `Name`, or NoTexture.
GLuint FindTexture(const std::string& Name);
// Appends an entry, even for a name already there.
void RegisterTexture(const std::string& Name, GLuint Texture);
// The registered texture, or a load (loader by extension, file mode)
// registered whatever its outcome: a failed name loads again next time.
GLuint GetTexture(const std::string& FileName);
// The same through the TGA module's loader.
GLuint GetTGATexture(const std::string& FileName);
// Deletes every registered texture and empties the registry: the names
// belong to the context that is about to go.
void FreeTextures();

// Lighting material values for GL_FRONT_AND_BACK: ambient 0.2, diffuse 0.8,
// no specular, no shininess, no emission.
void SetDefaultMaterial();
// Texture generation, texturing and blending off, colour white.
void ResetDrawState();
void UseColor(const TColor4& Color);
// Texturing on with `Texture` bound, colour white, the rest reset.
void UseTexture(GLuint Texture);
void EnableSphereMap();
void DisableSphereMap();

class Material {
 public:
  GLuint Texture = 0;
  bool Blend = false;
  bool SphereMap = false;
  int Mode = 0;  // 0 colour material, 1 texture material; others do nothing
  TColor4 Color{0, 0, 0, 0};
  TColor4 BlendColor{0, 0, 0, 0};
  bool AlphaBlend = false;  // texture blending by alpha instead of by colour

  void Apply() const;
};
