// QRN2Materials: the registry is a plain list searched from its end, which
// gives the last entry of a name as the first hit.
#include "engine/QRN2Materials.h"

#include "engine/QRN2Textures.h"
#include "engine/TGA.h"
#include "engine/TextureUploads.h"

std::vector<TTexRegItem> TextureRegistry;
int TextureCount = 0;

GLuint FindTexture(const std::string& Name) {
  for (auto it = TextureRegistry.rbegin(); it != TextureRegistry.rend(); ++it)
    if (it->Name == Name) return it->Texture;
  return NoTexture;
}

void RegisterTexture(const std::string& Name, GLuint Texture) {
  TextureRegistry.push_back({Name, Texture});
  ++TextureCount;
}

void FreeTextures() {
  DropTextureUploads();
  for (const TTexRegItem& item : TextureRegistry)
    if (item.Texture != NoTexture) DeleteTexture(item.Texture);
  TextureRegistry.clear();
  TextureCount = 0;
}

GLuint GetTexture(const std::string& FileName) {
  GLuint t = FindTexture(FileName);
  if (t == NoTexture) {
    LoadTexture(FileName, t, false);
    RegisterTexture(FileName, t);
  }
  return t;
}

GLuint GetTGATexture(const std::string& FileName) {
  GLuint t = FindTexture(FileName);
  if (t == NoTexture) {
    LoadTGAFile(FileName, t);
    RegisterTexture(FileName, t);
  }
  return t;
}

void SetDefaultMaterial() {
  const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
  const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat specular[] = {0, 0, 0, 1.0f};
  const GLfloat emission[] = {0, 0, 0, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
}

void ResetDrawState() {
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void UseColor(const TColor4& Color) {
  ResetDrawState();
  glColor4f(Color.r, Color.g, Color.b, Color.a);
}

void UseTexture(GLuint Texture) {
  ResetDrawState();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Texture);
  glColor4f(1, 1, 1, 1);
}

void EnableSphereMap() {
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
}

void DisableSphereMap() {
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

void Material::Apply() const {
  if (Mode == 0) {
    ResetDrawState();
    glColor4f(Color.r, Color.g, Color.b, Color.a);
    if (Blend) {
      glEnable(GL_BLEND);
      glColor4f(BlendColor.r, BlendColor.g, BlendColor.b, BlendColor.a);
      glBlendFunc(GL_ONE, GL_ONE);
    } else {
      glDisable(GL_BLEND);
    }
  } else if (Mode == 1) {
    ResetDrawState();
    UseTexture(Texture);
    if (SphereMap) EnableSphereMap();
    if (Blend) {
      glColor4f(BlendColor.r, BlendColor.g, BlendColor.b, BlendColor.a);
      if (AlphaBlend)
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      else
        glBlendFunc(GL_SRC_COLOR, GL_DST_COLOR);
      glEnable(GL_BLEND);
    }
  }
}
