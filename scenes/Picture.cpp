// Picture: the smear is drawn squeezed into the bottom-left square of the
// frame, copied into a texture, and stretched back over the cleared frame.
#include "scenes/Picture.h"

#include "engine/QRN2Draw.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2RenderTexture.h"
#include "engine/QRN2Textures.h"
#include "engine/QRN2_2D.h"

namespace {
bool SameColor(const TColor4& a, const TColor4& b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

void DrawSmear(const TPictureScene& scene) {
  BeginRenderToTexture(SmearSize);
  Begin2D();
  const TColor4 faint{1, 1, 1, 0.1f};
  for (int k = 0; k < SmearLayers; ++k) {
    const TRect r = SmearLayer(k, scene.Fade);
    DrawImageAdditive(scene.OwnersTexture, faint, r.X, r.Y, r.W, r.H);
  }
  End2D();
  EndRenderToTexture(scene.SmearTexture, SmearSize);
}
}  // namespace

TRect SmearLayer(int k, float fade) {
  const float a = fade * fade;
  const float spread = static_cast<float>(k * TExtended(a));
  return {-spread, 0, static_cast<float>(800 + 2 * k * TExtended(a)), StripHeight};
}

void StartPicture(TPictureScene& scene) {
  SetTextureClamp(true);
  scene.OwnersTexture = GetTexture("1-owners.jpg");
  scene.PictureTexture = GetTexture("1-picture.jpg");
  scene.SmearTexture = CreateRenderTexture(SmearSize);
  SetTextureClamp(false);  // textures loaded later repeat again
  scene.SmearDrawn = TSmearDrawn{};
  ResetPicture(scene);
}

void FreePicture(TPictureScene& scene) {
  if (scene.SmearTexture != 0) DeleteTexture(scene.SmearTexture);
  scene.SmearTexture = 0;
  scene.SmearDrawn = TSmearDrawn{};
}

void ResetPicture(TPictureScene& scene) {
  scene.Fade = PictureFadeSeconds;
  scene.SmearDrawn.Valid = false;  // the square may hold anything since
}

void StepPicture(TPictureScene& scene, float frameTime) {
  // Stops at 0: an overshoot kept below 0 would widen the smear again by
  // its square after a long frame.
  if (scene.Fade > 0) {
    scene.Fade -= frameTime;
    if (scene.Fade < 0) scene.Fade = 0;
  }
}

void DrawPicture(TPictureScene& scene) {
  // The square starts as the frame's clear colour.
  const TColor4 clear = ClearColorValue();
  const TSmearDrawn& drawn = scene.SmearDrawn;
  if (!drawn.Valid || drawn.Fade != scene.Fade || !SameColor(drawn.Clear, clear)) {
    DrawSmear(scene);
    scene.SmearDrawn = {true, scene.Fade, clear};
  }
  ClearColorAndDepth();
  Begin2D();
  DrawImage(scene.PictureTexture, 0, 0, 800, 600);
  DrawImageColorAdditive(scene.SmearTexture, {1, 1, 1, 1}, 0, 0, 800, 600);
  End2D();
}

void RenderPicture(TPictureScene& scene, float frameTime) {
  StepPicture(scene, frameTime);
  DrawPicture(scene);
}
