// Lakris: patterns 6 to 17. Under a blue sky the land of "land.3ds" with
// its waving water, the sphere-mapped "lakris.3ds", two small wombats, the
// seven timed overlay pictures "diag\1.tga" to "diag\7.tga" and a bar. All
// timing follows the scene's own clock LakrisTime, 0 when pattern 7 begins.
// Needs: QRN2Brush, QRN2Deform, QRN2Materials, QRN2Lights, QRN2_2D,
// driver/Globals (DemoTime, FrameTime, WombatBrush).
#pragma once
#include <GL/gl.h>

#include <array>

#include "engine/QRN2Classes.h"

class TQRNBrush;
class TQRNDeformBrush;

extern float LakrisStart;  // demo time at which pattern 6 ends
extern float LakrisTime;   // DemoTime - LakrisStart, set every frame
// The eye: (90, 40, 70) at start-up; closes in to LakrisCameraDistance from
// the centre, and circles while 4 < LakrisTime < 7.8.
extern TVertex LakrisCamera;
constexpr float LakrisCameraDistance = 90;
extern TQRNBrush* LakrisBrush;        // mesh 0 drawn sphere-mapped
extern bool LakrisSolid;              // its mesh 0 encloses a volume: culled
extern TQRNDeformBrush* LandDeform;   // mesh 0 the land, mesh 1 the water
extern GLuint StoneTexture, WaterTexture, LakrisTexture;
extern std::array<GLuint, 7> DiagTextures;

// One timed overlay: shown while LakrisTime lies strictly between From and
// To, at (X, Y) with 350 x 350 pixels.
struct TDiagWindow {
  float From, To;
  int Image;  // index into DiagTextures
  float X, Y;
};
constexpr int DiagWindowCount = 6;
extern const TDiagWindow DiagWindows[DiagWindowCount];

void InitLakris();
// Frees the models; a later InitLakris starts the scene afresh.
void FreeLakris();
void RenderLakris();
