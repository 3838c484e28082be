// Lakris: patterns 6 to 17. Under a blue sky the land of "land.3ds" with
// its waving water, the sphere-mapped "lakris.3ds", two small wombats, the
// seven timed overlay pictures "diag\1.tga" to "diag\7.tga" and a bar. All
// timing follows the scene's own clock, 0 when pattern 7 begins.
// Needs: QRN2Brush, QRN2Deform, QRN2Draw, QRN2Materials, QRN2Lights,
// QRN2_2D, scenes/Wombat (the wombat model).
#pragma once
#include <GL/gl.h>

#include <array>
#include <memory>

#include "engine/QRN2Classes.h"
#include "engine/QRN2Deform.h"

struct TWombatModel;

constexpr float LakrisCameraDistance = 90;

// One timed overlay: shown while the scene's clock lies strictly between
// From and To, at (X, Y) with 350 x 350 pixels.
struct TDiagWindow {
  float From, To;
  int Image;  // index into DiagTextures
  float X, Y;
};
constexpr int DiagWindowCount = 6;
extern const TDiagWindow DiagWindows[DiagWindowCount];

// What carries from one frame to the next.
struct TLakrisState {
  float Time = 0;  // the scene's clock: demo time less the scene's start
  // The camera of the frame being drawn, and of the next: (90, 40, 70) at
  // start-up; closes in to LakrisCameraDistance from the centre, and
  // circles while 4 < Time < 7.8.
  TVertex Eye{90, 40, 70};
  TVertex Camera{90, 40, 70};
};

struct TLakrisScene {
  std::unique_ptr<TQRNBrush> Brush;        // mesh 0 drawn sphere-mapped
  bool Solid = false;                      // its mesh 0 encloses a volume: culled
  std::unique_ptr<TQRNDeformBrush> Land;   // mesh 0 the land, mesh 1 the water
  GLuint StoneTexture = 0, WaterTexture = 0, LakrisTexture = 0;
  std::array<GLuint, 7> DiagTextures{};
  TLakrisState State;
};

void StartLakris(TLakrisScene& scene);
void ResetLakris(TLakrisScene& scene);
// `start` is the demo time at which the scene's clock reads 0. No GL.
void StepLakris(TLakrisScene& scene, float time, float frameTime, float start);
// The water waves with the demo time; the small wombats are `wombat`'s.
void DrawLakris(const TLakrisScene& scene, float time, const TWombatModel& wombat);
void RenderLakris(TLakrisScene& scene, float time, float frameTime, float start, const TWombatModel& wombat);
