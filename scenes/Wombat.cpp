// Wombat: the deform brush draws mesh 0 from a fresh copy every frame, so the
// model only twists in the finale. The hair's end points depend on nothing
// that changes after start-up, so they are computed once and drawn as one
// array of lines; the picture is that of one line per strand.
#include "scenes/Wombat.h"

#include <algorithm>
#include <cmath>

#include "engine/QRN2Arrays.h"
#include "engine/QRN2Brush.h"
#include "engine/QRN2Deform.h"
#include "engine/QRN2Draw.h"
#include "engine/QRN2Lights.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2Vectors.h"
#include "engine/QRN2_2D.h"
#include "scenes/SceneModels.h"

double HairRandom(std::uint32_t& state) {
  state = state * 134775813u + 1u;
  return state / 4294967296.0;
}

namespace {
const char* const WombatFile = "wombat.3ds";

bool Finite(const TVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void FillHair(TWombatScene& scene, const TMeshDataNM& mesh) {
  std::uint32_t random = 0;
  scene.HairCount = mesh.NormalLimit();
  scene.Hair.assign(scene.HairCount, THairRow{});
  for (std::int32_t c = 0; c < scene.HairCount; ++c)
    for (int i = 0; i < StrandsPerVertex; ++i) {
      TVertex v = mesh.Normals[c];
      const TExtended r1 = HairRandom(random), r2 = HairRandom(random), r3 = HairRandom(random);
      RotateVertex(v, MakeVertex(static_cast<float>(r1 * i), static_cast<float>(r2 * i * i * i),
                                 static_cast<float>(2 * r3 * i * i)));
      scene.Hair[c][i] = ScaleVector(v, 3);
    }
}

void DrawLightSheets(GLuint spot, float time) {
  UseTexture(spot);
  SetBlending(TBlend::AddAlpha);
  SetDepthTest(false);
  SetColor({1, 1, 1, static_cast<float>(std::fabs(std::sin(3 * TExtended(time))))});
  std::array<TTexturedCorner, 20> corners;  // five separate quads, one primitive
  for (int i = 0; i < 5; ++i) {
    const float y = static_cast<float>(-50 - 20 * i);
    corners[4 * i] = {{0, 0}, {-200, y, -200}};
    corners[4 * i + 1] = {{1, 0}, {200, y, -200}};
    corners[4 * i + 2] = {{1, 1}, {200, y, 200}};
    corners[4 * i + 3] = {{0, 1}, {-200, y, 200}};
  }
  DrawTexturedQuads(corners.data(), static_cast<int>(corners.size()));
}

// Lighting and colour material stay on: the strands are lit like the model.
void DrawHair(const THairLines& lines) {
  if (lines.Count == 0) return;
  TClientArrays arrays;
  arrays.Mode = GL_LINES;
  arrays.Positions = lines.Ends.data();
  arrays.Colors = lines.Colors.data();
  arrays.VertexCount = 2 * lines.Count;
  DrawClientArrays(arrays);
}

void DrawCornerSpots(GLuint spot) {
  const TColor4 white{1, 1, 1, 1};
  Begin2D();
  DrawImageAdditive(spot, white, 0, 344, 256, 256);
  DrawImageAdditive(spot, white, 544, 344, 256, 256);
  DrawImageAdditive(spot, white, 544, 0, 256, 256);
  DrawImageAdditive(spot, white, 0, 0, 256, 256);
  End2D();
}
}  // namespace

void BuildHairLines(TWombatScene& scene) {
  THairLines& HairLines = scene.HairLines;
  HairLines.Ends.clear();
  HairLines.Colors.clear();
  HairLines.Count = 0;
  if (!HasMesh(scene.Model.Brush.get(), 0)) return;
  const TMeshDataNM& mesh = *scene.Model.Brush->Meshes[0];
  const std::int32_t count = std::min<std::int32_t>(scene.HairCount, mesh.VertexLimit());
  HairLines.Ends.reserve(2 * StrandsPerVertex * static_cast<std::size_t>(count));
  HairLines.Colors.reserve(2 * StrandsPerVertex * static_cast<std::size_t>(count));
  for (std::int32_t c = 0; c < count; ++c) {
    const TVertex p = mesh.Vertices[c];
    for (const TVertex& v : scene.Hair[c]) {
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

void StartWombat(TWombatScene& scene) {
  scene.Deform = std::make_unique<TQRNDeformBrush>(5, 0);
  scene.Deform->LoadFromFile(WombatFile);
  scene.Deform->Brush.Rotate(MakeVertex(270, 0, 0));
  scene.Deform->SelectMesh(0);
  TWombatModel& model = scene.Model;
  model.Brush = std::make_unique<TQRNBrush>();
  model.Brush->LoadFromFile(WombatFile);
  model.Brush->Rotate(MakeVertex(270, 0, 0));
  CheckMeshCount(*model.Brush, 2, WombatFile);
  for (int m = 0; m < 2; ++m) model.Solid[m] = IsSolidMesh(model.Brush.get(), m);
  if (HasMesh(model.Brush.get(), 0)) {
    FillHair(scene, *model.Brush->Meshes[0]);
  } else {
    scene.HairCount = 0;
    scene.Hair.clear();
  }
  BuildHairLines(scene);
  scene.FlashTexture = GetTexture("womflash.jpg");
  scene.SpotTexture = GetTexture("spot.jpg");
  ResetWombat(scene);
}

void ResetWombat(TWombatScene& scene) {
  scene.State = TWombatState{};
  if (scene.Deform && scene.Deform->Buffers.size() > 1)
    std::fill(scene.Deform->Buffers[1].begin(), scene.Deform->Buffers[1].end(), ZeroVector);
}

void StepWombat(TWombatScene& scene, float time, float frameTime, bool finale) {
  TWombatState& state = scene.State;
  state.Eye = state.Camera;
  TQRNDeformBrush& deform = *scene.Deform;
  deform.CopyVertices(0);
  deform.ComputeDistances(3, ZeroVector);
  if (finale) deform.Twist(0, 1, 3, state.Eye, 1.0f);
  // About x by sin(t) degrees per frame, about y by 100 degrees per second.
  RotateVertex(state.Camera, MakeVertex(static_cast<float>(std::sin(TExtended(time))),
                                        static_cast<float>(100 * TExtended(frameTime)), 0));
}

void DrawWombat(const TWombatScene& scene, float time, bool finale) {
  const TWombatModel& model = scene.Model;
  const TVertex eye = scene.State.Eye;
  ClearColorAndDepth();
  LoadIdentityMatrix();
  LookAt(eye, ZeroVector, MakeVertex(0, 1, 0));

  DrawLightSheets(scene.SpotTexture, time);

  ResetDrawState();
  SetDepthTest(true);
  SelectLight(GL_LIGHT0);
  SetupLight();
  ResetDrawState();
  SetColorMaterial(true);

  {
    // The deform brush holds the same model; twisted, it may show its back.
    TCullBackFaces cull(model.Solid[0] && !finale);
    SetColor3(0.4f, 0.3f, 0.05f);
    scene.Deform->DrawBuffer(0);
  }
  SetColorBytes(0, 0, 1);
  if (HasMesh(model.Brush.get(), 1)) {
    TCullBackFaces cull(model.Solid[1]);
    model.Brush->Meshes[1]->DrawArrays();
  }

  SetLineWidth(1.0f);
  if (!finale) DrawHair(scene.HairLines);

  DrawCornerSpots(scene.SpotTexture);
}

void RenderWombat(TWombatScene& scene, float time, float frameTime, bool finale) {
  StepWombat(scene, time, frameTime, finale);
  DrawWombat(scene, time, finale);
}
