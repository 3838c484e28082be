// Lakris: the scene switches GL_COLOR_MATERIAL off only after its wombats;
// frames that follow a DrawImage (or the Wombat scene) light the land and the
// model with the current colour instead of the default material. The bar
// sets no colour or texture of its own and shows what the last overlay
// left. Both are part of the scene's look.
#include "scenes/Lakris.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "driver/Globals.h"
#include "engine/QRN2Brush.h"
#include "engine/QRN2Deform.h"
#include "engine/QRN2Lights.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2_2D.h"
#include "scenes/SceneModels.h"
#include "scenes/Wombat.h"

float LakrisStart = 0;
float LakrisTime = 0;
TVertex LakrisCamera{0, 0, 0};
TQRNBrush* LakrisBrush = nullptr;
TQRNDeformBrush* LandDeform = nullptr;
GLuint StoneTexture = 0, WaterTexture = 0, LakrisTexture = 0;
std::array<GLuint, 7> DiagTextures{};
bool LakrisSolid = false;

const TDiagWindow DiagWindows[DiagWindowCount] = {
    {9, 13, 1, 290, 130},  {13, 17, 2, 145, 130}, {17, 21, 3, 290, 130},
    {21, 25, 4, 145, 130}, {25, 29, 5, 145, 130}, {29, 35, 6, 145, 130},
};

namespace {
constexpr int Land = 0, Water = 1;

void PlaceCamera() {
  if (LakrisTime > 4.0f && LakrisTime < 7.8f)
    RotateVertex(LakrisCamera, MakeVertex(static_cast<float>(std::sin(TExtended(DemoTime)) * FrameTime),
                                          static_cast<float>(60 * TExtended(FrameTime)), 0));
  gluLookAt(LakrisCamera.x, LakrisCamera.y, LakrisCamera.z, 0, 28, 0, 0, 1, 0);
  // Closes in for the next frame and stops at 90 units from the centre. A
  // long frame would otherwise carry the eye past it, through the centre
  // (where the view has no direction) or out beyond the start.
  const float distance = PointDistance(LakrisCamera, ZeroVector);
  if (distance > LakrisCameraDistance)
    LakrisCamera = ScaleVector(LakrisCamera, std::max(1 - FrameTime, LakrisCameraDistance / distance));
}

void DrawLand() {
  ResetDrawState();
  UseTexture(StoneTexture);
  if (HasMesh(&LandDeform->Brush, Land)) LandDeform->Brush.Meshes[Land]->DrawArrays();
}

// Circular waves from the origin: the height replaces the water's rest
// height, and the normals follow the displaced surface.
void DrawWater() {
  UseTexture(WaterTexture);
  glDisable(GL_LIGHTING);
  if (HasMesh(&LandDeform->Brush, Water)) {
    LandDeform->CopyVertices(0);
    LandDeform->ComputeDistances(3, ZeroVector);
    LandDeform->ScaleBufferX(3, 5.0f);
    LandDeform->Wave(3, 5 * DemoTime, 3.0f, 0.5f);
    TVertexArray& positions = LandDeform->Buffers[0];
    const TVertexArray& heights = LandDeform->Buffers[3];
    for (std::int32_t i = 0; i < LandDeform->BufferLength; ++i) positions[i].y = heights[i].x;
    LandDeform->Brush.Meshes[Water]->RecalcNormalsFrom(positions);
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
  EnableSphereMap();
  LandDeform->DrawBuffer(0);
  DisableSphereMap();
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
}

void DrawLakrisModel() {
  UseTexture(LakrisTexture);
  EnableSphereMap();
  if (HasMesh(LakrisBrush, 0)) {
    TCullBackFaces cull(LakrisSolid);
    LakrisBrush->Meshes[0]->DrawArrays();
  }
  DisableSphereMap();
}

void DrawWombats() {
  glEnable(GL_COLOR_MATERIAL);
  const bool model = HasMesh(WombatBrush, 0);
  TCullBackFaces cull(WombatSolid[0]);
  UseColor(MakeColor4(0.4f, 0.3f, 0.05f, 1.0f));
  glPushMatrix();
  glScalef(0.05f, 0.05f, 0.05f);
  glTranslatef(300, 160, 0);
  if (model) WombatBrush->Meshes[0]->DrawArrays();
  glPopMatrix();
  UseColor(MakeColor4(0.9f, 0.3f, 0.3f, 1.0f));
  glPushMatrix();
  glRotatef(180, 0, 1, 0);
  glScalef(0.03f, 0.03f, 0.03f);
  glTranslatef(300, 250, 0);
  if (model) WombatBrush->Meshes[0]->DrawArrays();
  glPopMatrix();
  glDisable(GL_COLOR_MATERIAL);
}

// Takes whatever colour, texture and texture coordinate the overlays left.
void DrawBar() {
  OrthoProjection();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glBegin(GL_QUADS);
  glVertex3f(0, 550, 0);
  glVertex3f(300, 550, 0);
  glVertex3f(300, 570, 0);
  glVertex3f(0, 570, 0);
  glEnd();
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
  PerspectiveProjection();
}

void DrawOverlays() {
  Begin2D();
  if (LakrisTime < 3.0f)
    DrawImageTinted(DiagTextures[0], MakeColor4(1, 1, 1, 3.0f - LakrisTime), 0, 0, 800, 600);
  for (const TDiagWindow& w : DiagWindows)
    if (LakrisTime > w.From && LakrisTime < w.To) DrawImage(DiagTextures[w.Image], w.X, w.Y, 350, 350);
  DrawBar();
  End2D();
}
}  // namespace

void InitLakris() {
  LakrisBrush = new TQRNBrush();
  LakrisBrush->LoadFromFile("lakris.3ds");
  LakrisBrush->Rotate(MakeVertex(270, 0, 0));
  LakrisBrush->Scale(MakeVertex(0.15f, 0.15f, 0.15f));
  CheckMeshCount(*LakrisBrush, 1, "lakris.3ds");
  LakrisSolid = IsSolidMesh(LakrisBrush, 0);
  LandDeform = new TQRNDeformBrush(5, 0);
  LandDeform->LoadFromFile("land.3ds");
  LandDeform->Brush.Rotate(MakeVertex(270, 0, 0));
  LandDeform->SelectMesh(Water);
  CheckMeshCount(LandDeform->Brush, 2, "land.3ds");
  StoneTexture = GetTexture("stein.jpg");
  WaterTexture = GetTexture("vann.jpg");
  LakrisTexture = GetTexture("lakris.jpg");
  LakrisCamera = MakeVertex(90, 40, 70);
  for (int k = 0; k < 7; ++k) DiagTextures[k] = GetTGATexture("diag\\" + std::to_string(k + 1) + ".tga");
}

void FreeLakris() {
  delete LakrisBrush;
  LakrisBrush = nullptr;
  delete LandDeform;
  LandDeform = nullptr;
  LakrisSolid = false;
}

void RenderLakris() {
  LakrisTime = DemoTime - LakrisStart;
  glClearColor(0.2f, 0.2f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  SelectLight(GL_LIGHT0);
  SetupLight();
  SetDefaultMaterial();
  PlaceCamera();
  DrawLand();
  DrawWater();
  DrawLakrisModel();
  DrawWombats();
  DrawOverlays();
}
