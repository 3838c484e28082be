// WebClock: the browser's counters behind platform/Clock. While the page's
// audio is open (WebAudio, InitAudio to ShutdownAudio) they read the
// AudioContext's clock, so the demo's time is the music's; otherwise
// performance.now(). The audio clock reads the context time being heard now:
// the last output timestamp carried forward by performance.now() (the
// context's currentTime moves in steps of its output buffer, 10 ms and
// more), never going back.
// Mechanism: EM_JS; Web Audio's getOutputTimestamp, performance.now().
#include <emscripten/emscripten.h>

#include "platform/Clock.h"

namespace {
// A power of two: the timer's seconds per tick is exact in a float.
constexpr std::uint64_t TicksPerSecond = std::uint64_t{1} << 20;

EM_JS(double, web_clock_seconds, (), {
  const audio = Module.demoAudio;
  if (!audio || !audio.open) return performance.now() / 1000;
  const ctx = audio.context;
  const stamp = ctx.getOutputTimestamp ? ctx.getOutputTimestamp() : null;
  let heard;
  if (ctx.state === "running" && stamp && stamp.performanceTime > 0)
    heard = stamp.contextTime + Math.max(0, performance.now() - stamp.performanceTime) / 1000;
  else
    heard = ctx.currentTime - (ctx.baseLatency || 0) - (ctx.outputLatency || 0);
  audio.heard = Math.max(audio.heard, heard - (audio.offset || 0));
  return audio.heard;
});

double Seconds() {
  const double s = web_clock_seconds();
  return s > 0 ? s : 0;
}

bool Frequency(std::uint64_t* ticksPerSecond) {
  *ticksPerSecond = TicksPerSecond;
  return true;
}
std::uint64_t Counter() { return static_cast<std::uint64_t>(Seconds() * TicksPerSecond); }
std::uint32_t Ticks() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(Seconds() * 1000)); }

const TCounterSource MachineSource{Frequency, Counter, Ticks};
}  // namespace

const TCounterSource& MachineCounterSource() { return MachineSource; }
