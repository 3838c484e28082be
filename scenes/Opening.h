// Opening: pattern 0, the picture "wombats.jpg" seen through a lattice whose
// texture coordinates are warped by waves that calm down as time goes on.
// Nothing carries from one frame to the next: the picture is a function of
// the time alone, so the scene has no state to reset or step.
// Needs: QRN2Materials (texture registry), QRN2Grid.
#pragma once
#include <GL/gl.h>

#include "engine/QRN2Grid.h"

struct TOpeningScene {
  GLuint Texture = 0;     // "wombats.jpg", repeating outside 0..1
  TQRNGrid Grid{20, 20};  // the texture coordinates, warped anew every frame
};

// The time the warp uses when the clock reads exactly 0, where 1 / t has no
// value: a millisecond, which looks like the frames around it.
constexpr float OpeningFirstTime = 0.001f;

// One coordinate c (0..1) at time t: the wave term (sine for u, cosine for
// v) weighted 1 / (t / 4 + 1) plus c weighted (t / 4) / (t / 4 + 1).
float OpeningWarpU(float u, float t);
float OpeningWarpV(float v, float t);

void StartOpening(TOpeningScene& scene);
void RenderOpening(TOpeningScene& scene, float time);
