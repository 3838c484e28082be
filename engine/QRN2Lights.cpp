#include "engine/QRN2Lights.h"

GLenum CurrentLight = 0;

namespace {
GLfloat LightPosition[4] = {0, 0, 0, 1};
GLfloat LightAmbient[4] = {0, 0, 0, 0};
GLfloat LightDiffuse[4] = {0, 0, 0, 0};

void CopyColor(const TColor4& c, GLfloat* block) {
  block[0] = c.r;
  block[1] = c.g;
  block[2] = c.b;
  block[3] = c.a;
}
}  // namespace

void SelectLight(GLenum Light) { CurrentLight = Light; }

void SetLightPosition(const TVertex& Position) {
  LightPosition[0] = Position.x;
  LightPosition[1] = Position.y;
  LightPosition[2] = Position.z;
  glLightfv(CurrentLight, GL_POSITION, LightPosition);
}

void SetLightColors(const TColor4& Ambient, const TColor4& Diffuse) {
  CopyColor(Ambient, LightAmbient);
  CopyColor(Diffuse, LightDiffuse);
  glLightfv(CurrentLight, GL_AMBIENT, LightAmbient);
  glLightfv(CurrentLight, GL_DIFFUSE, LightDiffuse);
}

void SetupLight() {
  glEnable(CurrentLight);
  SetLightPosition(MakeVertex(10, 10, 10));
  SetLightColors(MakeColor4(1, 1, 1, 1), MakeColor4(1, 1, 1, 1));
  glEnable(GL_LIGHTING);
  glEnable(GL_NORMALIZE);
}
