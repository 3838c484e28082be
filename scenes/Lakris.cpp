// Lakris: the scene switches GL_COLOR_MATERIAL off only after its wombats;
// frames that follow a DrawImage (or the Wombat scene) light the land and the
// model with the current colour instead of the default material. The bar
// sets no colour or texture of its own and shows what the last overlay
// left. Both are part of the scene's look.
#include "scenes/Lakris.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/QRN2Brush.h"
#include "engine/QRN2Deform.h"
#include "engine/QRN2Draw.h"
#include "engine/QRN2Lights.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2_2D.h"
#include "scenes/SceneModels.h"
#include "scenes/Wombat.h"

const TDiagWindow DiagWindows[DiagWindowCount] = {
    {9, 13, 1, 290, 130},  {13, 17, 2, 145, 130}, {17, 21, 3, 290, 130},
    {21, 25, 4, 145, 130}, {25, 29, 5, 145, 130}, {29, 35, 6, 145, 130},
};

namespace {
constexpr int Land = 0, Water = 1;

void DrawLand(const TLakrisScene& scene) {
  ResetDrawState();
  UseTexture(scene.StoneTexture);
  if (HasMesh(&scene.Land->Brush, Land)) scene.Land->Brush.Meshes[Land]->DrawArrays();
}

// Circular waves from the origin: the height replaces the water's rest
// height, and the normals follow the displaced surface.
void DrawWater(const TLakrisScene& scene, float time) {
  TQRNDeformBrush& land = *scene.Land;
  UseTexture(scene.WaterTexture);
  SetLighting(false);
  if (HasMesh(&land.Brush, Water)) {
    land.CopyVertices(0);
    land.ComputeDistances(3, ZeroVector);
    land.ScaleBufferX(3, 5.0f);
    land.Wave(3, 5 * time, 3.0f, 0.5f);
    TVertexArray& positions = land.Buffers[0];
    const TVertexArray& heights = land.Buffers[3];
    for (std::int32_t i = 0; i < land.BufferLength; ++i) positions[i].y = heights[i].x;
    land.Brush.Meshes[Water]->RecalcNormalsFrom(positions);
  }
  SetBlending(TBlend::MixColor);
  EnableSphereMap();
  land.DrawBuffer(0);
  DisableSphereMap();
  SetBlending(TBlend::Off);
  SetLighting(true);
}

void DrawLakrisModel(const TLakrisScene& scene) {
  UseTexture(scene.LakrisTexture);
  EnableSphereMap();
  if (HasMesh(scene.Brush.get(), 0)) {
    TCullBackFaces cull(scene.Solid);
    scene.Brush->Meshes[0]->DrawArrays();
  }
  DisableSphereMap();
}

void DrawWombats(const TWombatModel& wombat) {
  SetColorMaterial(true);
  const bool model = HasMesh(wombat.Brush.get(), 0);
  TCullBackFaces cull(wombat.Solid[0]);
  UseColor(MakeColor4(0.4f, 0.3f, 0.05f, 1.0f));
  PushMatrix();
  ScaleMatrix(0.05f, 0.05f, 0.05f);
  TranslateMatrix(300, 160, 0);
  if (model) wombat.Brush->Meshes[0]->DrawArrays();
  PopMatrix();
  UseColor(MakeColor4(0.9f, 0.3f, 0.3f, 1.0f));
  PushMatrix();
  RotateMatrix(180, 0, 1, 0);
  ScaleMatrix(0.03f, 0.03f, 0.03f);
  TranslateMatrix(300, 250, 0);
  if (model) wombat.Brush->Meshes[0]->DrawArrays();
  PopMatrix();
  SetColorMaterial(false);
}

// Takes whatever colour, texture and texture coordinate the overlays left.
void DrawBar() {
  Enter2DState();
  const TVertex corners[4] = {{0, 550, 0}, {300, 550, 0}, {300, 570, 0}, {0, 570, 0}};
  DrawQuads(corners, 4);
  Leave2DState();
}

void DrawOverlays(const TLakrisScene& scene) {
  const float t = scene.State.Time;
  Begin2D();
  if (t < 3.0f) DrawImageTinted(scene.DiagTextures[0], MakeColor4(1, 1, 1, 3.0f - t), 0, 0, 800, 600);
  for (const TDiagWindow& w : DiagWindows)
    if (t > w.From && t < w.To) DrawImage(scene.DiagTextures[w.Image], w.X, w.Y, 350, 350);
  DrawBar();
  End2D();
}
}  // namespace

void StartLakris(TLakrisScene& scene) {
  scene.Brush = std::make_unique<TQRNBrush>();
  scene.Brush->LoadFromFile("lakris.3ds");
  scene.Brush->Rotate(MakeVertex(270, 0, 0));
  scene.Brush->Scale(MakeVertex(0.15f, 0.15f, 0.15f));
  CheckMeshCount(*scene.Brush, 1, "lakris.3ds");
  scene.Solid = IsSolidMesh(scene.Brush.get(), 0);
  scene.Land = std::make_unique<TQRNDeformBrush>(5, 0);
  scene.Land->LoadFromFile("land.3ds");
  scene.Land->Brush.Rotate(MakeVertex(270, 0, 0));
  scene.Land->SelectMesh(Water);
  CheckMeshCount(scene.Land->Brush, 2, "land.3ds");
  scene.StoneTexture = GetTexture("stein.jpg");
  scene.WaterTexture = GetTexture("vann.jpg");
  scene.LakrisTexture = GetTexture("lakris.jpg");
  for (int k = 0; k < 7; ++k) scene.DiagTextures[k] = GetTGATexture("diag\\" + std::to_string(k + 1) + ".tga");
  ResetLakris(scene);
}

void ResetLakris(TLakrisScene& scene) { scene.State = TLakrisState{}; }

void StepLakris(TLakrisScene& scene, float time, float frameTime, float start) {
  TLakrisState& state = scene.State;
  state.Time = time - start;
  if (state.Time > 4.0f && state.Time < 7.8f)
    RotateVertex(state.Camera, MakeVertex(static_cast<float>(std::sin(TExtended(time)) * frameTime),
                                          static_cast<float>(60 * TExtended(frameTime)), 0));
  state.Eye = state.Camera;
  // Closes in for the next frame and stops at 90 units from the centre. A
  // long frame would otherwise carry the eye past it, through the centre
  // (where the view has no direction) or out beyond the start.
  const float distance = PointDistance(state.Camera, ZeroVector);
  if (distance > LakrisCameraDistance)
    state.Camera = ScaleVector(state.Camera, std::max(1 - frameTime, LakrisCameraDistance / distance));
}

void DrawLakris(const TLakrisScene& scene, float time, const TWombatModel& wombat) {
  SetClearColor({0.2f, 0.2f, 1.0f, 1.0f});
  ClearColorBuffer();
  SelectLight(GL_LIGHT0);
  SetupLight();
  SetDefaultMaterial();
  LookAt(scene.State.Eye, MakeVertex(0, 28, 0), MakeVertex(0, 1, 0));
  DrawLand(scene);
  DrawWater(scene, time);
  DrawLakrisModel(scene);
  DrawWombats(wombat);
  DrawOverlays(scene);
}

void RenderLakris(TLakrisScene& scene, float time, float frameTime, float start, const TWombatModel& wombat) {
  StepLakris(scene, time, frameTime, start);
  DrawLakris(scene, time, wombat);
}
