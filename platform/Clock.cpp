// Clock: SDL's performance counter, or a source a test installed.
#include "platform/Clock.h"

#include <SDL2/SDL.h>

namespace {
bool SdlFrequency(std::uint64_t* ticksPerSecond) {
  *ticksPerSecond = SDL_GetPerformanceFrequency();
  return *ticksPerSecond != 0;
}
std::uint64_t SdlCounter() { return SDL_GetPerformanceCounter(); }
std::uint32_t SdlTicks() { return SDL_GetTicks(); }

const TCounterSource MachineSource{SdlFrequency, SdlCounter, SdlTicks};
const TCounterSource* Source = &MachineSource;
}  // namespace

void SetCounterSource(const TCounterSource* source) { Source = source ? source : &MachineSource; }
bool CounterFrequency(std::uint64_t* ticksPerSecond) { return Source->Frequency(ticksPerSecond); }
std::uint64_t CounterValue() { return Source->Counter(); }
std::uint32_t TickCount() { return Source->TickCount(); }
