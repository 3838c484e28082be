// Wombat: the deform brush draws mesh 0 from a fresh copy every frame, so the
// model only twists in the finale. The hair's end points depend on nothing
// that changes after start-up, so they are computed once and drawn as one
// array of lines; the picture is that of one line per strand.
#include "scenes/Wombat.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "driver/Globals.h"
#include "engine/QRN2Brush.h"
#include "engine/QRN2Deform.h"
#include "engine/QRN2Lights.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2Vectors.h"
#include "engine/QRN2_2D.h"
#include "scenes/SceneModels.h"

bool WombatFinale = false;
TVertex CameraPos{0, 0, 0};
bool WombatSolid[2] = {};
std::int32_t HairCount = 0;
std::vector<THairRow> Hair;
std::uint32_t HairRandomState = 0;
THairLines HairLines;

double HairRandom() {
  HairRandomState = HairRandomState * 134775813u + 1u;
  return HairRandomState / 4294967296.0;
}

namespace {
const char* const WombatFile = "wombat.3ds";

bool Finite(const TVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void FillHair(const TMeshDataNM& mesh) {
  HairCount = mesh.NormalLimit();
  Hair.assign(HairCount, THairRow{});
  for (std::int32_t c = 0; c < HairCount; ++c)
    for (int i = 0; i < StrandsPerVertex; ++i) {
      TVertex v = mesh.Normals[c];
      const TExtended r1 = HairRandom(), r2 = HairRandom(), r3 = HairRandom();
      RotateVertex(v, MakeVertex(static_cast<float>(r1 * i), static_cast<float>(r2 * i * i * i),
                                 static_cast<float>(2 * r3 * i * i)));
      Hair[c][i] = ScaleVector(v, 3);
    }
}

void DrawLightSheets() {
  UseTexture(SpotTexture);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1, 1, 1, static_cast<float>(std::fabs(std::sin(3 * TExtended(DemoTime)))));
  glBegin(GL_QUADS);  // five separate quads, one primitive
  for (int i = 0; i < 5; ++i) {
    const float y = static_cast<float>(-50 - 20 * i);
    glTexCoord2f(0, 0);
    glVertex3f(-200, y, -200);
    glTexCoord2f(1, 0);
    glVertex3f(200, y, -200);
    glTexCoord2f(1, 1);
    glVertex3f(200, y, 200);
    glTexCoord2f(0, 1);
    glVertex3f(-200, y, 200);
  }
  glEnd();
}

// Lighting and colour material stay on: the strands are lit like the model.
void DrawHair() {
  if (HairLines.Count == 0) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, HairLines.Ends.data());
  glColorPointer(3, GL_FLOAT, 0, HairLines.Colors.data());
  glDrawArrays(GL_LINES, 0, 2 * HairLines.Count);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
}

void DrawCornerSpots() {
  const TColor4 white{1, 1, 1, 1};
  Begin2D();
  DrawImageAdditive(SpotTexture, white, 0, 344, 256, 256);
  DrawImageAdditive(SpotTexture, white, 544, 344, 256, 256);
  DrawImageAdditive(SpotTexture, white, 544, 0, 256, 256);
  DrawImageAdditive(SpotTexture, white, 0, 0, 256, 256);
  End2D();
}
}  // namespace

void BuildHairLines() {
  HairLines.Ends.clear();
  HairLines.Colors.clear();
  HairLines.Count = 0;
  if (!HasMesh(WombatBrush, 0)) return;
  const TMeshDataNM& mesh = *WombatBrush->Meshes[0];
  const std::int32_t count = std::min<std::int32_t>(HairCount, mesh.VertexLimit());
  HairLines.Ends.reserve(2 * StrandsPerVertex * static_cast<std::size_t>(count));
  HairLines.Colors.reserve(2 * StrandsPerVertex * static_cast<std::size_t>(count));
  for (std::int32_t c = 0; c < count; ++c) {
    const TVertex p = mesh.Vertices[c];
    for (const TVertex& v : Hair[c]) {
      const float g = static_cast<float>(std::sin(TExtended(v.x) + v.y + v.z));
      TVertex u = v;
      NormalizeVector(u);
      // The root's y and z are exchanged; the tip's are not.
      const TVertex root = MakeVertex(static_cast<float>(p.x + 5 * TExtended(u.x)),
                                      static_cast<float>(p.y + 5 * TExtended(u.z)),
                                      static_cast<float>(p.z + 5 * TExtended(u.y)));
      const TVertex tip = MakeVertex(static_cast<float>(TExtended(p.x) + v.x),
                                     static_cast<float>(TExtended(p.y) + v.y),
                                     static_cast<float>(TExtended(p.z) + v.z));
      if (!Finite(root) || !Finite(tip) || !std::isfinite(g)) continue;
      HairLines.Ends.push_back(root);
      HairLines.Ends.push_back(tip);
      HairLines.Colors.push_back({g, g, g});
      HairLines.Colors.push_back({g, g, g});
      ++HairLines.Count;
    }
  }
}

void InitWombat() {
  // A second start-up in one process plays the scene as the first did.
  WombatFinale = false;
  HairRandomState = 0;
  WombatDeform = new TQRNDeformBrush(5, 0);
  WombatDeform->LoadFromFile(WombatFile);
  WombatDeform->Brush.Rotate(MakeVertex(270, 0, 0));
  WombatDeform->SelectMesh(0);
  WombatBrush = new TQRNBrush();
  WombatBrush->LoadFromFile(WombatFile);
  WombatBrush->Rotate(MakeVertex(270, 0, 0));
  CheckMeshCount(*WombatBrush, 2, WombatFile);
  for (int m = 0; m < 2; ++m) WombatSolid[m] = IsSolidMesh(WombatBrush, m);
  CameraPos = MakeVertex(200, 200, 200);
  if (HasMesh(WombatBrush, 0)) {
    FillHair(*WombatBrush->Meshes[0]);
  } else {
    HairCount = 0;
    Hair.clear();
  }
  BuildHairLines();
  FlashTexture = GetTexture("womflash.jpg");
}

void FreeWombat() {
  delete WombatDeform;
  WombatDeform = nullptr;
  delete WombatBrush;
  WombatBrush = nullptr;
  WombatSolid[0] = WombatSolid[1] = false;
  HairCount = 0;
  Hair.clear();
  HairLines = THairLines{};
}

void RenderWombat() {
  WombatDeform->CopyVertices(0);
  WombatDeform->ComputeDistances(3, ZeroVector);
  if (WombatFinale) WombatDeform->Twist(0, 1, 3, CameraPos, 1.0f);

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  gluLookAt(CameraPos.x, CameraPos.y, CameraPos.z, 0, 0, 0, 0, 1, 0);
  // Takes effect in the next frame: about x by sin(t) degrees per frame,
  // about y by 100 degrees per second.
  RotateVertex(CameraPos, MakeVertex(static_cast<float>(std::sin(TExtended(DemoTime))),
                                     static_cast<float>(100 * TExtended(FrameTime)), 0));

  DrawLightSheets();

  ResetDrawState();
  glEnable(GL_DEPTH_TEST);
  SelectLight(GL_LIGHT0);
  SetupLight();
  ResetDrawState();
  glEnable(GL_COLOR_MATERIAL);

  {
    // The deform brush holds the same model; twisted, it may show its back.
    TCullBackFaces cull(WombatSolid[0] && !WombatFinale);
    glColor3f(0.4f, 0.3f, 0.05f);
    WombatDeform->DrawBuffer(0);
  }
  glColor3b(0, 0, 1);
  if (HasMesh(WombatBrush, 1)) {
    TCullBackFaces cull(WombatSolid[1]);
    WombatBrush->Meshes[1]->DrawArrays();
  }

  glLineWidth(1.0f);
  if (!WombatFinale) DrawHair();

  DrawCornerSpots();
}
