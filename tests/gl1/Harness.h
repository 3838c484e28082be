// Harness: the offscreen window and context the scenarios draw into (SDL's
// offscreen driver; a compatibility context for desktop GL, ES 3.0 and the
// gl1 layer otherwise), running one scenario and reading its frame back,
// and the files the reference run leaves for the comparison.
// Needs: SDL2; desktop GL and GLU (reference) or the gl1 layer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Scenarios.h"

namespace harness {

bool OpenContext(std::string& error);
void CloseContext();

struct TResult {
  std::vector<std::uint8_t> Rgba;  // Size x Size, bottom row first
  scenarios::TValues Values;
  double Milliseconds = 0;         // median of the timed repeats
};
// Draws the scenario from the reset state: once for the picture and the
// values, then `repeats` more times for the time.
TResult Run(const scenarios::TScenario& scenario, int repeats);

// Files of the reference run in `dir`.
std::string PicturePath(const std::string& dir, const char* name);
std::string ValuesPath(const std::string& dir, const char* name);
std::string MipmapPath(const std::string& dir, std::size_t index);
bool WriteFile(const std::string& path, const void* data, std::size_t size);
bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace harness
