// Wombat: patterns 4 and 5, and the finale (pattern 18). The model
// "wombat.3ds" seen by a circling camera, over five pulsing light sheets,
// with a hair of grey strands from every vertex of mesh 0 and the spot image
// added in each corner. In the finale the hair is gone and the model twists
// towards the camera's coordinates.
// Needs: QRN2Deform, QRN2Brush, QRN2Materials, QRN2Lights, QRN2_2D,
// driver/Globals (DemoTime, FrameTime, SpotTexture, WombatDeform,
// WombatBrush, FlashTexture).
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/QRN2Classes.h"

constexpr int StrandsPerVertex = 40;
using THairRow = std::array<TVertex, StrandsPerVertex>;

extern bool WombatFinale;  // set by the driver in every frame of pattern 18
extern TVertex CameraPos;  // the eye; turned at the end of every frame
// Meshes 0 and 1 of WombatBrush enclose a volume: drawn with back faces
// culled (the finale's twisted copy is not).
extern bool WombatSolid[2];
extern std::int32_t HairCount;
// Hair[c][i]: strand i of vertex c of WombatBrush's mesh 0. Set at start-up.
extern std::vector<THairRow> Hair;

// The hair's random numbers: the 32-bit linear congruential generator,
// state 0 at program start, state := state * 134775813 + 1; each draw
// returns state / 2^32, in [0, 1).
extern std::uint32_t HairRandomState;
double HairRandom();

// The strands as drawn: two end points and one grey per strand, in vertex
// then strand order. Strands with an end point or grey that is not a finite
// number (a zero or undefined vertex normal) are left out.
struct THairLines {
  TVertexArray Ends;    // 2 per strand
  TVertexArray Colors;  // 2 per strand, the same grey twice
  std::int32_t Count = 0;
};
extern THairLines HairLines;
// Fills HairLines from Hair and mesh 0 of WombatBrush.
void BuildHairLines();

void InitWombat();
// Frees the models; a later InitWombat starts the scene afresh.
void FreeWombat();
void RenderWombat();
