// DevClock: playback rules.
#include "dev/DevClock.h"

float ClockSpeed(const TDevClock& clock) { return clock.Paused ? 0.0f : DevSpeeds[clock.Speed]; }

bool MusicPlays(const TDevClock& clock, bool mute) {
  return !mute && !clock.Paused && clock.Speed == RealTimeSpeed;
}

TDevClock TogglePause(TDevClock clock) {
  clock.Paused = !clock.Paused;
  return clock;
}

TDevClock WithSpeed(TDevClock clock, int index) {
  if (index >= 0 && index < DevSpeedCount) clock.Speed = index;
  return clock;
}

TDevClock ToggleLoop(TDevClock clock, int pattern) {
  clock.LoopPattern = clock.LoopPattern == pattern ? -1 : pattern;
  return clock;
}

TDevClock AfterSeek(TDevClock clock, int patternAtTarget) {
  if (clock.LoopPattern != patternAtTarget) clock.LoopPattern = -1;
  return clock;
}

bool LoopWraps(const TDevClock& clock, const float* patternEnds, float now) {
  return clock.LoopPattern >= 0 && now > patternEnds[clock.LoopPattern];
}
