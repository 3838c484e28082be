// QRN2_2D: textured rectangles in window pixels (origin bottom-left) over or
// instead of the 3D scene, and the two projections the engine switches
// between. Each rectangle leaves lighting and depth test on, blending off,
// texturing on with its texture bound, its colour current, the demo's
// perspective projection and the modelview matrix selected.
// Needs: QRN2Materials, Quarn2 (CurrentWindow, FarPlane), a current GL context.
#pragma once
#include <GL/gl.h>

#include "engine/QRN2Classes.h"

// A pair around 2D drawing: saves the current (modelview) matrix and sets
// it to the identity moved to z = -1; End2D restores it.
void Begin2D();
void End2D();

void DrawImage(GLuint Texture, float X, float Y, float W, float H);
// Tinted and alpha blended, fog off.
void DrawImageTinted(GLuint Texture, const TColor4& Tint, float X, float Y, float W, float H);
// Adds the tinted texture weighted by alpha.
void DrawImageAdditive(GLuint Texture, const TColor4& Tint, float X, float Y, float W, float H);
// Adds the tinted texture weighted by its own colour.
void DrawImageColorAdditive(GLuint Texture, const TColor4& Tint, float X, float Y, float W, float H);

// One unit per window pixel, depth -1 to 1.
void OrthoProjection();
// 45 degrees, aspect 4/3 whatever the window, near 1, far FarPlane.
void PerspectiveProjection();

// The pair around drawing flat in window pixels. Enter2DState turns
// lighting and depth test off and sets OrthoProjection; Leave2DState sets
// PerspectiveProjection, turns blending off and lighting and depth test
// back on. Neither touches texturing or the current colour.
void Enter2DState();
void Leave2DState();
