// QRN2Lights: the one fixed-function light of the 3D scenes: which GL light
// is addressed, its position (always positional, w = 1) and its ambient and
// diffuse colours. Positions are taken through the modelview matrix current
// at the call.
// Needs: QRN2Classes (TVertex, TColor4), a current GL context.
#pragma once
#include <GL/gl.h>

#include "engine/QRN2Classes.h"

// The light every operation addresses; SelectLight must come first.
extern GLenum CurrentLight;

void SelectLight(GLenum Light);
// The scenes use only SetupLight's values; these two are the engine's way
// to move or colour the light, kept for scenes that do.
void SetLightPosition(const TVertex& Position);
void SetLightColors(const TColor4& Ambient, const TColor4& Diffuse);
// Enables the light at (10, 10, 10) with white ambient and diffuse, then
// lighting and normalisation of normals.
void SetupLight();
