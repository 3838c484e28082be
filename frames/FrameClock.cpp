// FrameClock: a counter source that holds one value until the next frame.
// Every reading within a frame returns the same value, so the timer's three
// readings agree and the demo time and frame time come from the same moment.
#include "frames/FrameClock.h"

#include <cmath>

#include "platform/Clock.h"

namespace {
constexpr double TimeSlack = 1e-9;  // absorbs "0.3 * 10" landing just below 3
std::uint64_t Now = 0;

bool Frequency(std::uint64_t* ticksPerSecond) {
  *ticksPerSecond = FrameClockFrequency;
  return true;
}
std::uint64_t Counter() { return Now; }
std::uint32_t Ticks() { return static_cast<std::uint32_t>(Now / (FrameClockFrequency / 1000)); }

const TCounterSource Source{Frequency, Counter, Ticks};
}  // namespace

void InstallFrameClock() {
  Now = 0;
  SetCounterSource(&Source);
}

void RemoveFrameClock() { SetCounterSource(nullptr); }

std::uint64_t FrameTicks(std::int64_t frame, int fps) {
  if (frame <= 0 || fps <= 0) return 0;
  // Integer arithmetic: no drift however long the capture.
  const unsigned __int128 scaled = static_cast<unsigned __int128>(frame) * FrameClockFrequency;
  return static_cast<std::uint64_t>((scaled + static_cast<unsigned>(fps) / 2) / static_cast<unsigned>(fps));
}

void SetClockToFrame(std::int64_t frame, int fps) { Now = FrameTicks(frame, fps); }

void SetClockToSeconds(double seconds) {
  Now = seconds > 0 ? static_cast<std::uint64_t>(std::llround(std::ldexp(seconds, 40))) : 0;
}

long long FrameAt(double seconds, int fps) {
  return static_cast<long long>(std::floor(seconds * fps + TimeSlack));
}

long long FirstFrameFrom(double seconds, int fps) {
  return static_cast<long long>(std::ceil(seconds * fps - TimeSlack));
}
