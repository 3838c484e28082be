// Texture loaders on the offscreen GL context: what reaches GL, and the
// loaders' messages.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "engine/QRN2Textures.h"
#include "engine/Resources.h"
#include "engine/TGA.h"
#include "engine/TextureUploads.h"
#include "support/TestImages.h"
#include "support/TestSupport.h"

namespace {
using TMessages = std::vector<std::pair<std::string, std::string>>;

GLint TexParam(GLuint t, GLenum name) {
  glBindTexture(GL_TEXTURE_2D, t);
  GLint v = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, name, &v);
  return v;
}
GLint LevelParam(GLuint t, int level, GLenum name) {
  glBindTexture(GL_TEXTURE_2D, t);
  GLint v = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &v);
  return v;
}
// Level 0 as RGBA, first row first.
TBytes Texels(GLuint t) {
  TBytes rgba(
      static_cast<std::size_t>(LevelParam(t, 0, GL_TEXTURE_WIDTH) * LevelParam(t, 0, GL_TEXTURE_HEIGHT) * 4));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}
TBytes Texel(const TBytes& texels, int i) {
  return TBytes(texels.begin() + i * 4, texels.begin() + i * 4 + 4);
}

// The last level of a full chain is 1 x 1, at log2 of the longer side.
void ExpectFullMipmapChain(GLuint t, int longerSide) {
  int last = 0;
  while ((1 << last) < longerSide) ++last;
  EXPECT_EQ(LevelParam(t, last, GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(LevelParam(t, last, GL_TEXTURE_HEIGHT), 1);
  for (int level = 0; level <= last; ++level) EXPECT_GT(LevelParam(t, level, GL_TEXTURE_WIDTH), 0) << level;
}

const TBytes TwoByTwoBGR = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
}  // namespace

TEST(Textures, OnlyBmpJpgTgaExtensionsReachALoader) {
  TestWindow();
  TTempDir dir(true);
  for (const char* name : {"wall.Jpg", "wall.JPG", "wall.jpg", "wall.jpeg", "wall"})
    WriteBytes(dir / name, SolidJPG(8, 8, 1, 2, 3));
  TMessageCapture messages;
  for (const char* name : {"wall.Jpg", "wall.JPG", "wall.jpg"}) {
    GLuint t = 12345;
    LoadTexture(name, t, false);
    EXPECT_NE(t, 12345u) << name;
    EXPECT_EQ(LevelParam(t, 0, GL_TEXTURE_WIDTH), 8) << name;
  }
  for (const char* name : {"wall.jpeg", "wall", "", "jpg"}) {
    GLuint t = 12345;
    LoadTexture(name, t, false);
    EXPECT_EQ(t, 12345u) << name;
  }
  EXPECT_TRUE(messages.Messages().empty());
  GLuint t = 12345;
  LoadTexture("missing.Jpg", t, false);
  LoadTexture("missing.bMp", t, false);
  LoadTexture("missing.TGA", t, false);
  EXPECT_EQ(t, 12345u);
  EXPECT_EQ(messages.Messages(), (TMessages{{"BMP Unit", "Couldn't load JPG - \"missing.Jpg\""},
                                            {"BMP Unit", "Error opening missing.bMp"},
                                            {"TGA Texture", "File not found  - missing.TGA"}}));
}

TEST(Textures, ClampAppliesToTexturesMadeAfterItIsSet) {
  TestWindow();
  const TBytes rgb(12, 200);
  const GLuint before = CreateTexture(2, 2, GL_RGB, rgb.data());
  EXPECT_EQ(TexParam(before, GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(TexParam(before, GL_TEXTURE_WRAP_T), GL_REPEAT);
  SetTextureClamp(true);
  const GLuint after = CreateTexture(2, 2, GL_RGB, rgb.data());
  const GLuint tga = CreateTGATexture(2, 2, GL_RGB, rgb.data());
  for (GLuint t : {after, tga}) {
    EXPECT_EQ(TexParam(t, GL_TEXTURE_WRAP_S), GL_CLAMP);
    EXPECT_EQ(TexParam(t, GL_TEXTURE_WRAP_T), GL_CLAMP);
  }
  EXPECT_EQ(TexParam(before, GL_TEXTURE_WRAP_S), GL_REPEAT) << "earlier textures keep repeating";
}

TEST(Textures, LoadTextureAndLoadTGAFileFilters) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "a.tga", TGABytes({.Width = 8, .Height = 4}, TBytes(8 * 4 * 3, 77)));
  GLuint general = 0, tga = 0;
  LoadTexture("a.tga", general, false);
  ASSERT_TRUE(LoadTGAFile("a.tga", tga));
  ASSERT_NE(general, tga);
  EXPECT_EQ(TexParam(general, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(TexParam(general, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(TexParam(tga, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(TexParam(tga, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
  ExpectFullMipmapChain(general, 8);
  ExpectFullMipmapChain(tga, 8);
  GLint env = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  EXPECT_EQ(env, GL_MODULATE);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), tga) << "the new texture stays bound";

  // The other filter settings of the TGA loader; 7 sets none (GL's defaults).
  const TBytes rgb(12, 1);
  const std::pair<int, std::pair<GLint, GLint>> cases[] = {
      {0, {GL_NEAREST, GL_NEAREST}}, {1, {GL_LINEAR, GL_LINEAR}}, {7, {GL_LINEAR, GL_NEAREST_MIPMAP_LINEAR}}};
  for (const auto& [filter, expected] : cases) {
    TextureFilter = static_cast<std::uint8_t>(filter);
    const GLuint t = CreateTGATexture(2, 2, GL_RGB, rgb.data());
    EXPECT_EQ(TexParam(t, GL_TEXTURE_MAG_FILTER), expected.first) << filter;
    EXPECT_EQ(TexParam(t, GL_TEXTURE_MIN_FILTER), expected.second) << filter;
  }
  // CreateTexture ignores TextureFilter.
  EXPECT_EQ(TexParam(CreateTexture(2, 2, GL_RGB, rgb.data()), GL_TEXTURE_MIN_FILTER),
            GL_LINEAR_MIPMAP_NEAREST);
}

TEST(Textures, PicturesOfAnySizeKeepEveryRow) {
  TestWindow();
  // Sizes where GLU's own rescaling left the top row unwritten.
  for (auto [w, h] : {std::pair{3, 2}, {5, 4}, {6, 4}, {100, 64}, {2, 3}, {7, 7}}) {
    const TBytes rgb(static_cast<std::size_t>(w * h * 3), 180);
    const GLuint t =
        CreateTexture(static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h), GL_RGB, rgb.data());
    const TBytes texels = Texels(t);
    for (std::size_t i = 0; i < texels.size(); i += 4)
      ASSERT_EQ(texels[i], 180) << w << "x" << h << " texel " << i / 4;
  }
}

TEST(Textures, SidesThatAreNotPowersOfTwoGetAFullChainToo) {
  TestWindow();
  const TBytes rgb(5 * 3 * 3, 90);
  const GLuint t = CreateTexture(5, 3, GL_RGB, rgb.data());
  ExpectFullMipmapChain(t, LevelParam(t, 0, GL_TEXTURE_WIDTH));
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4) << "the upload puts the unpack alignment back";
}

TEST(Textures, DeferredPixelsArriveAtTheirUploadAsTheImmediateOnesDoAndTheBindingStays) {
  TestWindow();
  TBytes rgb(6 * 3 * 3);  // not a power of two: scaled before it waits
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 37);
  const GLuint now = CreateTexture(6, 3, GL_RGB, rgb.data());
  DeferTextureUploads(true);
  const GLuint first = CreateTexture(6, 3, GL_RGB, rgb.data());
  const GLuint second = CreateTexture(2, 2, GL_RGB, TwoByTwoBGR.data());
  DeferTextureUploads(false);
  EXPECT_EQ(TexParam(first, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);  // parameters at once
  EXPECT_EQ(LevelParam(first, 0, GL_TEXTURE_WIDTH), 0);
  glBindTexture(GL_TEXTURE_2D, now);
  ASSERT_TRUE(UploadNextTexture());  // the oldest first
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), now);
  EXPECT_EQ(Texels(first), Texels(now));
  ExpectFullMipmapChain(first, LevelParam(first, 0, GL_TEXTURE_WIDTH));
  EXPECT_EQ(LevelParam(second, 0, GL_TEXTURE_WIDTH), 0);
  UploadTextureNow(second);
  EXPECT_EQ(LevelParam(second, 0, GL_TEXTURE_WIDTH), 2);
  EXPECT_FALSE(UploadNextTexture());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Textures, TGAChannelOrderAlphaAndOddWidths) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "rgb.tga", TGABytes({.Width = 2, .Height = 2, .Depth = 24}, TwoByTwoBGR));
  WriteBytes(dir / "rgba.tga", TGABytes({.Width = 2, .Height = 2, .Depth = 32},
                                        {10, 20, 30, 0, 1, 2, 3, 64, 4, 5, 6, 128, 7, 8, 9, 255}));
  // 3 pixels of 3 bytes: rows that do not fill 4-byte boundaries.
  WriteBytes(dir / "odd.tga", TGABytes({.Width = 3, .Height = 2},
                                       {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
  GLuint rgb = 0, rgba = 0, odd = 0;
  ASSERT_TRUE(LoadTGATexture("rgb.tga", rgb, false));
  ASSERT_TRUE(LoadTGATexture("rgba.tga", rgba, false));
  ASSERT_TRUE(LoadTGATexture("odd.tga", odd, false));
  EXPECT_EQ(Texel(Texels(rgb), 0), (TBytes{30, 20, 10, 255}));
  EXPECT_EQ(Texel(Texels(rgb), 3), (TBytes{120, 110, 100, 255}));
  const TBytes alpha = Texels(rgba);
  EXPECT_EQ(Texel(alpha, 0), (TBytes{30, 20, 10, 0}));
  EXPECT_EQ(Texel(alpha, 1), (TBytes{3, 2, 1, 64}));
  EXPECT_EQ(Texel(alpha, 3), (TBytes{9, 8, 7, 255}));
  EXPECT_EQ(LevelParam(odd, 0, GL_TEXTURE_WIDTH), 4) << "GLU scales 3 to a power of two";
  // After scaling 3 -> 4 the corner texels are still the corner pixels.
  const TBytes oddTexels = Texels(odd);
  EXPECT_EQ(Texel(oddTexels, 0), (TBytes{3, 2, 1, 255}));
  EXPECT_EQ(Texel(oddTexels, 7), (TBytes{19, 18, 17, 255})) << "the second row starts where the first ends";
}

TEST(Textures, RunLengthTGAThroughTheLoader) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "rle.tga",
             TGABytes({.ImageType = 10, .Width = 4, .Height = 2},
                      {0x83, 1, 2, 3, 0x03, 10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42}));
  GLuint t = 0;
  ASSERT_TRUE(LoadTGATexture("rle.tga", t, false));
  const TBytes texels = Texels(t);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Texel(texels, i), (TBytes{3, 2, 1, 255})) << i;
  EXPECT_EQ(Texel(texels, 4), (TBytes{12, 11, 10, 255}));
  EXPECT_EQ(Texel(texels, 7), (TBytes{42, 41, 40, 255}));
}

TEST(Textures, TGARefusalsShowTheirTextsAndLeaveTheTextureAlone) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "grey.tga", TGABytes({.ImageType = 3, .Width = 1, .Height = 1, .Depth = 8}, {5}));
  WriteBytes(dir / "map.tga", TGABytes({.ColourMapType = 1, .Width = 1, .Height = 1}, {1, 2, 3}));
  WriteBytes(dir / "16.tga", TGABytes({.Width = 1, .Height = 1, .Depth = 16}, {1, 2}));
  WriteBytes(dir / "short.tga", TGABytes({.Width = 2, .Height = 2}, {1, 2, 3}));
  WriteBytes(dir / "tiny.tga", {0, 0, 2, 0});
  WriteBytes(dir / "huge.tga", TGABytes({.Width = 65535, .Height = 65535}, {0}));
  WriteBytes(dir / "rle.tga", TGABytes({.ImageType = 10, .Width = 2, .Height = 2}, {0x03, 1, 2, 3}));
  const TMessages expected = {
      {"TGA File Error", "Couldn't load \"grey.tga\". Only 24 and 32bit TGA supported."},
      {"TGA File Error", "Couldn't load \"map.tga\". Colormapped TGA files not supported."},
      {"TGA File Error", "Couldn't load \"16.tga\". Only 24 and 32 bit TGA files supported."},
      {"TGA File Error", "Couldn't read file \"short.tga\"."},
      {"TGA File Error", "Couldn't read file \"tiny.tga\"."},
      {"TGA File Error", "Couldn't read file \"huge.tga\"."},
      {"TGA File Error", "Couldn't read file \"rle.tga\"."},
      {"TGA Texture", "File not found  - none.tga"},
  };
  for (bool tgaModule : {false, true}) {
    TMessageCapture messages;
    for (const char* name :
         {"grey.tga", "map.tga", "16.tga", "short.tga", "tiny.tga", "huge.tga", "rle.tga", "none.tga"}) {
      GLuint t = 4242;
      EXPECT_FALSE(tgaModule ? LoadTGAFile(name, t) : LoadTGATexture(name, t, false)) << name;
      EXPECT_EQ(t, 4242u) << name;
    }
    EXPECT_EQ(messages.Messages(), expected) << (tgaModule ? "LoadTGAFile" : "LoadTGATexture");
  }
}

TEST(Textures, JPEGBecomesAnOpaqueRGBATextureBottomRowFirst) {
  TestWindow();
  TTempDir dir(true);
  TBytes rgb;  // 8 x 16: top half green, bottom half red
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 8; ++x) {
      const TBytes c = y < 8 ? TBytes{0, 255, 0} : TBytes{255, 0, 0};
      rgb.insert(rgb.end(), c.begin(), c.end());
    }
  WriteBytes(dir / "pic.jpg", JPGBytes(8, 16, rgb));
  GLuint t = 0;
  ASSERT_TRUE(LoadJPGTexture("pic.jpg", t, false));
  EXPECT_EQ(LevelParam(t, 0, GL_TEXTURE_WIDTH), 8);
  EXPECT_EQ(LevelParam(t, 0, GL_TEXTURE_HEIGHT), 16);
  EXPECT_GT(LevelParam(t, 0, GL_TEXTURE_ALPHA_SIZE), 0) << "uploaded with alpha";
  const TBytes texels = Texels(t);
  for (std::size_t i = 3; i < texels.size(); i += 4) ASSERT_EQ(texels[i], 255);
  EXPECT_GE(texels[0], 250) << "first row red: the picture's bottom row";
  EXPECT_LE(texels[1], 4);
  EXPECT_GE(Texel(texels, 8 * 15)[1], 250) << "last row green";
}

TEST(Textures, JPEGFailuresShowOneMessage) {
  TestWindow();
  TTempDir dir(true);
  TBytes cut = SolidJPG(32, 32, 9, 9, 9);
  cut.resize(cut.size() - 30);  // the header is whole, the data ends early
  WriteBytes(dir / "cut.jpg", cut);
  WriteBytes(dir / "text.jpg", {'h', 'e', 'l', 'l', 'o'});
  TMessageCapture messages;
  GLuint t = 77;
  EXPECT_FALSE(LoadJPGTexture("cut.jpg", t, false));
  EXPECT_FALSE(LoadJPGTexture("text.jpg", t, false));
  EXPECT_FALSE(LoadJPGTexture("gone.jpg", t, false));
  EXPECT_EQ(t, 77u);
  EXPECT_EQ(messages.Messages(), (TMessages{{"BMP Unit", "Couldn't load JPG - \"cut.jpg\""},
                                            {"BMP Unit", "Couldn't load JPG - \"text.jpg\""},
                                            {"BMP Unit", "Couldn't load JPG - \"gone.jpg\""}}));
}

TEST(Textures, BMPLoadsAndItsFailuresShowTheirTexts) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "ok.bmp",
             BMPBytes({.Width = 2, .Height = 2}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
  TBytes palette = BMPBytes({.Width = 1, .Height = 1, .ColoursUsed = 4}, {});
  WriteBytes(dir / "palette.bmp", palette);
  WriteBytes(dir / "data.bmp", BMPBytes({.Width = 4, .Height = 4}, TBytes(40, 1)));
  WriteBytes(dir / "eight.bmp", BMPBytes({.Width = 4, .Height = 4, .BitCount = 8}, TBytes(16, 1)));
  GLuint t = 0;
  ASSERT_TRUE(LoadBMPTexture("ok.bmp", t, false));
  const TBytes texels = Texels(t);
  EXPECT_EQ(Texel(texels, 0), (TBytes{3, 2, 1, 255}));
  EXPECT_EQ(Texel(texels, 3), (TBytes{12, 11, 10, 255}));
  EXPECT_EQ(TexParam(t, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);

  TMessageCapture messages;
  t = 55;
  for (const char* name : {"palette.bmp", "data.bmp", "eight.bmp", "gone.bmp"})
    EXPECT_FALSE(LoadBMPTexture(name, t, false)) << name;
  EXPECT_EQ(t, 55u);
  EXPECT_EQ(messages.Messages(), (TMessages{{"BMP Unit", "Error reading palette"},
                                            {"BMP Unit", "Error reading bitmap data"},
                                            {"BMP Unit", "Unsupported bitmap format - eight.bmp"},
                                            {"BMP Unit", "Error opening gone.bmp"}}));
}

TEST(Textures, ResourceModeFindsTheNameBeforeTheFirstDot) {
  TestWindow();
  AddResource("stein", "JPEG", SolidJPG(4, 4, 0, 0, 250));
  AddResource("stein", "TGA", TGABytes({.Width = 1, .Height = 1}, {1, 2, 3}));
  AddResource("Wall", "BMP", BMPBytes({.Width = 1, .Height = 1}, {1, 2, 3, 0}));
  TMessageCapture messages;
  GLuint jpg = 0, tga = 0, bmp = 0, any = 0;
  ASSERT_TRUE(LoadJPGTexture("stein.old.jpg", jpg, true));
  EXPECT_EQ(LevelParam(jpg, 0, GL_TEXTURE_WIDTH), 4);
  ASSERT_TRUE(LoadTGATexture("stein.tga", tga, true));
  EXPECT_EQ(Texel(Texels(tga), 0), (TBytes{3, 2, 1, 255}));
  ASSERT_TRUE(LoadBMPTexture("wall.bmp", bmp, true)) << "resource names ignore letter case";
  LoadTexture("stein.JPG", any, true);
  EXPECT_NE(any, 0u);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(Textures, ResourceModeMessages) {
  TestWindow();
  AddResource("bad", "JPEG", {1, 2, 3});
  AddResource("bad", "TGA", TGABytes({.Width = 2, .Height = 2}, {1, 2, 3}));
  AddResource("bad", "BMP", BMPBytes({.Width = 2, .Height = 2}, {1, 2, 3}));
  AddResource("cmap", "TGA", TGABytes({.ColourMapType = 1}, {}));
  TMessageCapture messages;
  GLuint t = 9;
  EXPECT_FALSE(LoadBMPTexture("none.bmp", t, true));
  EXPECT_FALSE(LoadBMPTexture("bad.bmp", t, true));
  EXPECT_FALSE(LoadJPGTexture("none.jpg", t, true));
  EXPECT_FALSE(LoadJPGTexture("bad.jpg", t, true));
  EXPECT_FALSE(LoadTGATexture("none.tga", t, true));
  EXPECT_FALSE(LoadTGATexture("bad.tga", t, true));
  EXPECT_FALSE(LoadTGATexture("cmap.tga", t, true));
  EXPECT_EQ(t, 9u);
  EXPECT_EQ(
      messages.Messages(),
      (TMessages{{"BMP Texture", "File not found in resource - none.bmp"},
                 {"BMP Unit", "Unable to read from resource - bad.bmp"},
                 {"JPG Texture", "File not found in resource - none.jpg"},
                 {"BMP Unit", "Couldn't load JPG Resource - \"bad.jpg\""},
                 {"TGA Texture", "File not found in resource - none.tga"},
                 {"BMP Unit", "Unable to read from resource - bad.tga"},
                 {"TGA File Error", "Couldn't load \"cmap.tga\". Colormapped TGA files not supported."}}));
}

TEST(Textures, AReloadReplacesThePixelsInPlaceAndABrokenFileKeepsTheLastGood) {
  TestWindow();
  TTempDir dir(true);
  WriteBytes(dir / "pic.tga", TGABytes({.Width = 2, .Height = 2}, TwoByTwoBGR));
  GLuint texture = 0;
  ASSERT_TRUE(LoadTGATexture("pic.tga", texture, false));
  SetTextureClamp(true);  // the reload keeps the texture's own wrap
  const TBytes reversed = {120, 110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10};
  WriteBytes(dir / "pic.tga", TGABytes({.Width = 2, .Height = 2}, reversed));
  ASSERT_TRUE(ReloadTexture("pic.tga", texture));
  const TBytes changed = Texels(texture);
  EXPECT_EQ(Texel(changed, 0), (TBytes{100, 110, 120, 255})) << "the new file's first pixel (BGR)";
  EXPECT_EQ(TexParam(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
  SetTextureClamp(false);
  WriteBytes(dir / "pic.tga", {0, 0, 2, 0});  // cut short while being written
  TMessageCapture messages;
  EXPECT_FALSE(ReloadTexture("pic.tga", texture));
  EXPECT_EQ(messages.Messages(), (TMessages{{"TGA File Error", "Couldn't read file \"pic.tga\"."}}));
  EXPECT_EQ(Texels(texture), changed) << "the last good pixels stay";
}
