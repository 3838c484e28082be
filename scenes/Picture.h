// Picture: patterns 2 and 3, the picture "1-picture.jpg" with the strip
// "1-owners.jpg" added along the bottom. The strip arrives as a wide smear
// of eleven faint copies, drawn into a 512 square texture first, and
// contracts into one sharp strip over the scene's first four seconds.
// Needs: QRN2Textures (clamping), QRN2Materials, QRN2Draw, QRN2_2D,
// QRN2RenderTexture.
#pragma once
#include <GL/gl.h>

#include "engine/QRN2Classes.h"

constexpr int SmearLayers = 11;
constexpr int SmearSize = 512;
constexpr float StripHeight = 233;
constexpr float PictureFadeSeconds = 4;

// Layer k's rectangle for a fade f: the strip widened by k * f * f pixels
// on each side.
struct TRect {
  float X, Y, W, H;
};
TRect SmearLayer(int k, float fade);

// What SmearTexture holds: the smear for this fade, over a square cleared
// to this colour. Once the fade has stopped the smear no longer changes, and
// drawing it again would give the same texels.
struct TSmearDrawn {
  bool Valid = false;
  float Fade = 0;
  TColor4 Clear{0, 0, 0, 0};
};

struct TPictureScene {
  GLuint OwnersTexture = 0;   // the strip, edges clamped
  GLuint PictureTexture = 0;  // the picture, edges clamped
  GLuint SmearTexture = 0;    // 512 x 512 render texture
  // Seconds of smear left: falls by the frame time in every frame while
  // above 0, and stops at 0. The scene's only carried state.
  float Fade = PictureFadeSeconds;
  TSmearDrawn SmearDrawn;
};

void StartPicture(TPictureScene& scene);
// Deletes the render texture (the others belong to the registry).
void FreePicture(TPictureScene& scene);
void ResetPicture(TPictureScene& scene);
void StepPicture(TPictureScene& scene, float frameTime);
// Draws the smear again only when it has changed.
void DrawPicture(TPictureScene& scene);
void RenderPicture(TPictureScene& scene, float frameTime);
