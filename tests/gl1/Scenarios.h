// Scenarios: GL 1.x drawings that use GL the way the engine does, compiled
// twice: against desktop GL (the reference) and against the gl1 layer. Each
// draws into the 256x256 frame from a known state; the harness reads the
// frame back. Values (glGet results, error codes) are recorded alongside
// and must match exactly.
// Needs: a current context with the GL 1.x entry points (either kind).
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace scenarios {

constexpr int Size = 256;

using TValues = std::vector<std::pair<std::string, double>>;

struct TScenario {
  const char* Name;
  void (*Draw)(TValues& values);
  // Pass when the mean absolute difference per channel is at most
  // MeanLimit, at most BadLimit of the pixels differ by more than 16 in a
  // channel, and (MaxLimit >= 0) no channel differs by more than MaxLimit.
  double MeanLimit, BadLimit;
  int MaxLimit;
};

const std::vector<TScenario>& All();

// The state every scenario starts from (GL's defaults, the viewport the
// whole frame, the engine's depth function).
void ResetState();

// A deterministic picture: `channels` bytes a pixel, rows padded to
// `alignment`.
std::vector<std::uint8_t> TestImage(int width, int height, int channels, unsigned seed, int alignment = 1);

// Images given to gluBuild2DMipmaps whose levels the test compares byte
// for byte with the layer's own filter.
struct TMipmapCase {
  int Width, Height, Channels, Alignment;
  unsigned Seed;
};
const std::vector<TMipmapCase>& MipmapCases();

}  // namespace scenarios
