// The texture registry and the draw-state operations, read back from GL.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "engine/QRN2Materials.h"
#include "support/TestImages.h"
#include "support/TestSupport.h"

namespace {
using TMessages = std::vector<std::pair<std::string, std::string>>;

GLint Integer(GLenum name) {
  GLint v = 0;
  glGetIntegerv(name, &v);
  return v;
}
std::vector<GLfloat> Floats(GLenum name) {
  std::vector<GLfloat> v(4);
  glGetFloatv(name, v.data());
  return v;
}
GLint MinFilter(GLuint t) {
  glBindTexture(GL_TEXTURE_2D, t);
  GLint v = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v);
  return v;
}
}  // namespace

TEST(Registry, SameNameLoadsOnceAndACaseVariantLoadsAgain) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "stein.jpg", SolidJPG(8, 8, 100, 100, 100));
  TMessageCapture messages;
  const int before = TextureCount;
  const GLuint first = GetTexture("stein.jpg");
  ASSERT_NE(first, NoTexture);
  std::filesystem::remove(dir / "stein.jpg");
  EXPECT_EQ(GetTexture("stein.jpg"), first) << "served from the registry, not the (gone) file";
  EXPECT_EQ(TextureCount, before + 1);
  WriteBytes(dir / "stein.jpg", SolidJPG(8, 8, 100, 100, 100));
  const GLuint variant = GetTexture("Stein.jpg");
  EXPECT_NE(variant, NoTexture) << "the file is found ignoring case";
  EXPECT_NE(variant, first) << "but the key is a new one";
  EXPECT_EQ(TextureCount, before + 2);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(Registry, AMissingFileIsAskedForAgainAndRegisteredEachTime) {
  TestWindow();
  TTempDir dir(true);
  TMessageCapture messages;
  const int before = TextureCount;
  EXPECT_EQ(GetTexture("gone.jpg"), NoTexture);
  EXPECT_EQ(GetTexture("gone.jpg"), NoTexture);
  EXPECT_EQ(messages.Messages(), (TMessages{{"BMP Unit", "Couldn't load JPG - \"gone.jpg\""},
                                            {"BMP Unit", "Couldn't load JPG - \"gone.jpg\""}}));
  ASSERT_EQ(TextureCount, before + 2);
  EXPECT_EQ(TextureRegistry[before].Name, "gone.jpg");
  EXPECT_EQ(TextureRegistry[before + 1].Name, "gone.jpg");
  EXPECT_EQ(TextureRegistry[before + 1].Texture, NoTexture);
  // No loader for the extension: no message, still registered.
  EXPECT_EQ(GetTexture("picture.jpeg"), NoTexture);
  EXPECT_EQ(messages.Messages().size(), 2u);
  EXPECT_EQ(TextureCount, before + 3);
}

TEST(Registry, TGAThroughGetTextureThenGetTGATexture) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "diag/1.tga", TGABytes({.Width = 4, .Height = 4}, TBytes(48, 9)));
  WriteBytes(dir / "diag/2.tga", TGABytes({.Width = 4, .Height = 4}, TBytes(48, 9)));
  const int before = TextureCount;
  const GLuint general = GetTexture("diag\\1.tga");
  ASSERT_NE(general, NoTexture);
  EXPECT_EQ(MinFilter(general), GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(GetTGATexture("diag\\1.tga"), general);
  EXPECT_EQ(TextureCount, before + 1);
  const GLuint tga = GetTGATexture("diag\\2.tga");
  EXPECT_EQ(MinFilter(tga), GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(GetTexture("diag\\2.tga"), tga);
  EXPECT_EQ(TextureCount, before + 2);
}

TEST(Registry, LastRegistrationOfANameWins) {
  const int before = TextureCount;
  RegisterTexture("a.jpg", 5);
  RegisterTexture("b.jpg", 6);
  RegisterTexture("a.jpg", 7);
  EXPECT_EQ(FindTexture("a.jpg"), 7u);
  EXPECT_EQ(FindTexture("b.jpg"), 6u);
  EXPECT_EQ(FindTexture("A.jpg"), NoTexture);
  EXPECT_EQ(FindTexture("a.jpg "), NoTexture);
  EXPECT_EQ(TextureCount, before + 3);
}

TEST(DrawState, UseTextureAndUseColor) {
  TestWindow();
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glEnable(GL_BLEND);
  glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
  GLuint t = 0;
  glGenTextures(1, &t);
  UseTexture(t);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)), t);
  EXPECT_EQ(Floats(GL_CURRENT_COLOR), (std::vector<GLfloat>{1, 1, 1, 1}));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));

  UseColor({0.25f, 0.5f, 0.75f, 1});
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(Floats(GL_CURRENT_COLOR), (std::vector<GLfloat>{0.25f, 0.5f, 0.75f, 1}));
  EnableSphereMap();
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S) && glIsEnabled(GL_TEXTURE_GEN_T));
  DisableSphereMap();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_T));
}

TEST(DrawState, DefaultMaterialOnBothFaces) {
  TestWindow();
  SetDefaultMaterial();
  for (GLenum face : {GL_FRONT, GL_BACK}) {
    GLfloat v[4];
    glGetMaterialfv(face, GL_AMBIENT, v);
    EXPECT_EQ(std::vector<GLfloat>(v, v + 4), (std::vector<GLfloat>{0.2f, 0.2f, 0.2f, 1}));
    glGetMaterialfv(face, GL_DIFFUSE, v);
    EXPECT_EQ(std::vector<GLfloat>(v, v + 4), (std::vector<GLfloat>{0.8f, 0.8f, 0.8f, 1}));
    glGetMaterialfv(face, GL_SPECULAR, v);
    EXPECT_EQ(std::vector<GLfloat>(v, v + 4), (std::vector<GLfloat>{0, 0, 0, 1}));
    glGetMaterialfv(face, GL_EMISSION, v);
    EXPECT_EQ(std::vector<GLfloat>(v, v + 4), (std::vector<GLfloat>{0, 0, 0, 1}));
    glGetMaterialfv(face, GL_SHININESS, v);
    EXPECT_EQ(v[0], 0);
  }
}

TEST(MaterialApply, TextureModeBlendsByColourUnlessAlphaBlend) {
  TestWindow();
  GLuint t = 0;
  glGenTextures(1, &t);
  Material m;
  m.Mode = 1;
  m.Texture = t;
  m.Blend = true;
  m.BlendColor = {0.1f, 0.2f, 0.3f, 0.4f};
  m.Apply();
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_COLOR);
  EXPECT_EQ(Integer(GL_BLEND_DST), GL_DST_COLOR);
  EXPECT_EQ(Floats(GL_CURRENT_COLOR), (std::vector<GLfloat>{0.1f, 0.2f, 0.3f, 0.4f}));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)), t);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));

  m.AlphaBlend = true;
  m.SphereMap = true;
  m.Apply();
  EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S) && glIsEnabled(GL_TEXTURE_GEN_T));

  m.Blend = false;
  m.Apply();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(Floats(GL_CURRENT_COLOR), (std::vector<GLfloat>{1, 1, 1, 1}));
}

TEST(MaterialApply, ColourModeAndUnknownModes) {
  TestWindow();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  Material fresh;
  EXPECT_EQ(fresh.Texture, 0u);
  fresh.Apply();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(Floats(GL_CURRENT_COLOR), (std::vector<GLfloat>{0, 0, 0, 0}))
      << "a fresh material draws in 0, 0, 0, 0";

  Material glow;
  glow.Color = {1, 0, 0, 1};
  glow.Blend = true;
  glow.BlendColor = {0, 0.5f, 0, 1};
  glow.Apply();
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(Integer(GL_BLEND_SRC), GL_ONE);
  EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE);
  EXPECT_EQ(Floats(GL_CURRENT_COLOR), (std::vector<GLfloat>{0, 0.5f, 0, 1}));

  glEnable(GL_TEXTURE_2D);
  Material odd;
  odd.Mode = 2;
  odd.Apply();
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "mode 2 does nothing, not even the reset";
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
}
