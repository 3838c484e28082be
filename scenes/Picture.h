// Picture: patterns 2 and 3, the picture "1-picture.jpg" with the strip
// "1-owners.jpg" added along the bottom. The strip arrives as a wide smear
// of eleven faint copies, drawn into a 512 square texture first, and
// contracts into one sharp strip over the scene's first four seconds.
// Needs: QRN2Textures (clamping), QRN2Materials, QRN2_2D, QRN2RenderTexture,
// driver/Globals (FrameTime).
#pragma once
#include <GL/gl.h>

#include "engine/QRN2Classes.h"

extern GLuint OwnersTexture;   // the strip, edges clamped
extern GLuint PictureTexture;  // the picture, edges clamped
extern GLuint SmearTexture;    // 512 x 512 render texture
// Seconds of smear left: 4 at program start, falling by the frame time in
// every frame while above 0, and stopping at 0.
extern float PictureFade;

constexpr int SmearLayers = 11;
constexpr int SmearSize = 512;
constexpr float StripHeight = 233;

// Layer k's rectangle for a fade f: the strip widened by k * f * f pixels
// on each side.
struct TRect {
  float X, Y, W, H;
};
TRect SmearLayer(int k, float fade);

void InitPicture();
// Deletes the render texture (the others belong to the registry).
void FreePicture();
void RenderPicture();
