// Opening: pattern 0, the picture "wombats.jpg" seen through a lattice whose
// texture coordinates are warped by waves that calm down as time goes on.
// Needs: QRN2Materials (texture registry), QRN2Grid, driver/Globals (DemoTime).
#pragma once
#include <GL/gl.h>

class TQRNGrid;

extern GLuint OpeningTexture;   // "wombats.jpg", repeating outside 0..1
extern TQRNGrid* OpeningGrid;   // 20 x 20 texture coordinates

// The time the warp uses when the clock reads exactly 0, where 1 / t has no
// value: a millisecond, which looks like the frames around it.
constexpr float OpeningFirstTime = 0.001f;

// One coordinate c (0..1) at time t: the wave term (sine for u, cosine for
// v) weighted 1 / (t / 4 + 1) plus c weighted (t / 4) / (t / 4 + 1).
float OpeningWarpU(float u, float t);
float OpeningWarpV(float v, float t);

void InitOpening();
// Frees the lattice; a later InitOpening makes a new one.
void FreeOpening();
void RenderOpening();
