// QRN2Draw: the GL state switches, transforms and immediate-mode quads that
// scenes use between the engine's larger helpers. Each is the one GL (or
// GLU) call it names, so the scenes' call sequences stay what they were and
// a second GL backend has one short list to provide.
// Needs: QRN2Classes, a current GL context.
#pragma once
#include <GL/gl.h>

#include "engine/QRN2Classes.h"

// The blend functions the scenes use; Off disables blending.
enum class TBlend {
  Off,
  Alpha,           // source alpha, one minus source alpha
  AddAlpha,        // source alpha, one
  AddColor,        // source colour, one
  MixColor,        // source colour, one minus source colour
};
// Enables blending (unless Off) and sets the function.
void SetBlending(TBlend blend);

void SetLighting(bool on);
void SetDepthTest(bool on);
void SetColorMaterial(bool on);
void SetFaceCulling(bool on);
// In units of the frame: pixels at the render scale.
void SetLineWidth(float width);

void SetClearColor(const TColor4& color);
TColor4 ClearColorValue();
void ClearColorBuffer();
void ClearColorAndDepth();

// The current colour: four floats, three floats (alpha 1), or three signed
// bytes as GL converts them.
void SetColor(const TColor4& color);
void SetColor3(float r, float g, float b);
void SetColorBytes(signed char r, signed char g, signed char b);

// The modelview matrix (the selected one).
void PushMatrix();
void PopMatrix();
void LoadIdentityMatrix();
void TranslateMatrix(float x, float y, float z);
void ScaleMatrix(float x, float y, float z);
void RotateMatrix(float degrees, float x, float y, float z);
void LookAt(const TVertex& eye, const TVertex& centre, const TVertex& up);

// Quads in immediate mode, four corners each. The untextured kind takes the
// current texture coordinate for every corner.
struct TTexturedCorner {
  TTexCoord Uv;
  TVertex Position;
};
void DrawQuads(const TVertex* corners, int count);
void DrawTexturedQuads(const TTexturedCorner* corners, int count);
