// Picture: the smear is drawn squeezed into the bottom-left square of the
// frame, copied into a texture, and stretched back over the cleared frame.
#include "scenes/Picture.h"

#include <array>

#include "driver/Globals.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2RenderTexture.h"
#include "engine/QRN2Textures.h"
#include "engine/QRN2_2D.h"

GLuint OwnersTexture = 0;
GLuint PictureTexture = 0;
GLuint SmearTexture = 0;
float PictureFade = 4.0f;

namespace {
// What SmearTexture holds: the smear for this fade, over a square cleared
// to this colour. Once the fade has stopped the smear no longer changes, and
// drawing it again would give the same texels.
struct TSmearDrawn {
  bool Valid = false;
  float Fade = 0;
  std::array<GLfloat, 4> Clear{};
};
TSmearDrawn SmearDrawn;

void DrawSmear() {
  BeginRenderToTexture(SmearSize);
  Begin2D();
  const TColor4 faint{1, 1, 1, 0.1f};
  for (int k = 0; k < SmearLayers; ++k) {
    const TRect r = SmearLayer(k, PictureFade);
    DrawImageAdditive(OwnersTexture, faint, r.X, r.Y, r.W, r.H);
  }
  End2D();
  EndRenderToTexture(SmearTexture, SmearSize);
}
}  // namespace

TRect SmearLayer(int k, float fade) {
  const float a = fade * fade;
  const float spread = static_cast<float>(k * TExtended(a));
  return {-spread, 0, static_cast<float>(800 + 2 * k * TExtended(a)), StripHeight};
}

void InitPicture() {
  PictureFade = 4.0f;
  SmearDrawn = TSmearDrawn{};
  SetTextureClamp(true);
  OwnersTexture = GetTexture("1-owners.jpg");
  PictureTexture = GetTexture("1-picture.jpg");
  SmearTexture = CreateRenderTexture(SmearSize);
  SetTextureClamp(false);  // textures loaded later repeat again
}

void FreePicture() {
  if (SmearTexture != 0) glDeleteTextures(1, &SmearTexture);
  SmearTexture = 0;
  SmearDrawn = TSmearDrawn{};
}

void RenderPicture() {
  // Stops at 0: an overshoot kept below 0 would widen the smear again by
  // its square after a long frame.
  if (PictureFade > 0) {
    PictureFade -= FrameTime;
    if (PictureFade < 0) PictureFade = 0;
  }
  // The square starts as the frame's clear colour.
  std::array<GLfloat, 4> clear{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
  if (!SmearDrawn.Valid || SmearDrawn.Fade != PictureFade || SmearDrawn.Clear != clear) {
    DrawSmear();
    SmearDrawn = {true, PictureFade, clear};
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Begin2D();
  DrawImage(PictureTexture, 0, 0, 800, 600);
  DrawImageColorAdditive(SmearTexture, {1, 1, 1, 1}, 0, 0, 800, 600);
  End2D();
}
