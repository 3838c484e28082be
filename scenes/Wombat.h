// Wombat: patterns 4 and 5, and the finale (pattern 18). The model
// "wombat.3ds" seen by a circling camera, over five pulsing light sheets,
// with a hair of grey strands from every vertex of mesh 0 and the spot image
// added in each corner. In the finale the hair is gone and the model twists
// towards the camera's coordinates.
// Needs: QRN2Deform, QRN2Brush, QRN2Arrays, QRN2Draw, QRN2Materials, QRN2Lights, QRN2_2D.
#pragma once
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/QRN2Classes.h"
#include "engine/QRN2Deform.h"

constexpr int StrandsPerVertex = 40;
using THairRow = std::array<TVertex, StrandsPerVertex>;

// The hair's random numbers: the 32-bit linear congruential generator,
// state 0 at start-up, state := state * 134775813 + 1; each draw returns
// state / 2^32, in [0, 1).
double HairRandom(std::uint32_t& state);

// The strands as drawn: two end points and one grey per strand, in vertex
// then strand order. Strands with an end point or grey that is not a finite
// number (a zero or undefined vertex normal) are left out.
struct THairLines {
  TVertexArray Ends;    // 2 per strand
  TVertexArray Colors;  // 2 per strand, the same grey twice
  std::int32_t Count = 0;
};

// "wombat.3ds" as loaded once; the Lakris scene draws its mesh 0 too.
struct TWombatModel {
  std::unique_ptr<TQRNBrush> Brush;
  // Meshes 0 and 1 enclose a volume: drawn with back faces culled (the
  // finale's twisted copy is not).
  bool Solid[2] = {};
};

// What carries from one frame to the next, besides the twist angles that
// the deform brush keeps in its buffer 1.
struct TWombatState {
  TVertex Eye{200, 200, 200};     // the camera of the frame being drawn
  TVertex Camera{200, 200, 200};  // the camera of the next frame
};

struct TWombatScene {
  TWombatModel Model;
  std::unique_ptr<TQRNDeformBrush> Deform;  // mesh 0 again, the one that twists
  GLuint SpotTexture = 0, FlashTexture = 0;
  std::int32_t HairCount = 0;
  std::vector<THairRow> Hair;  // Hair[c][i]: strand i of vertex c of mesh 0
  THairLines HairLines;
  TWombatState State;
};

// Fills HairLines from Hair and mesh 0 of the model.
void BuildHairLines(TWombatScene& scene);

// Loads the model and pictures and grows the hair.
void StartWombat(TWombatScene& scene);
// The camera and the twist as at start-up.
void ResetWombat(TWombatScene& scene);
// Moves the camera and, in the finale, twists the model. No GL.
void StepWombat(TWombatScene& scene, float time, float frameTime, bool finale);
void DrawWombat(const TWombatScene& scene, float time, bool finale);
// One frame: the step, then the draw.
void RenderWombat(TWombatScene& scene, float time, float frameTime, bool finale);
