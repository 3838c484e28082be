// SdlClock: the desktop machine's counters: SDL's performance counter, as
// the music is heard while it plays (platform/MixerClock), and millisecond
// ticks.
#include <SDL2/SDL.h>

#include "platform/Clock.h"
#include "platform/sdl/MixerClock.h"

namespace {
bool SdlFrequency(std::uint64_t* ticksPerSecond) {
  *ticksPerSecond = SDL_GetPerformanceFrequency();
  return *ticksPerSecond != 0;
}
std::uint64_t SdlCounter() { return MixerClockCounter(SDL_GetPerformanceCounter()); }
std::uint32_t SdlTicks() { return SDL_GetTicks(); }

const TCounterSource MachineSource{SdlFrequency, SdlCounter, SdlTicks};
}  // namespace

const TCounterSource& MachineCounterSource() { return MachineSource; }
