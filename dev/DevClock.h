// DevClock: the development mode's playback state (pause, speed, a pattern
// played over and over) and the pure rules that change it; the driver's
// clock follows ClockSpeed.
// Needs: nothing.
#pragma once

constexpr int DevSpeedCount = 4;
// Keys 1 to 4; the third is real time.
constexpr float DevSpeeds[DevSpeedCount] = {0.25f, 1, 2, 4};
constexpr int RealTimeSpeed = 1;

struct TDevClock {
  bool Paused = false;
  int Speed = RealTimeSpeed;  // index into DevSpeeds
  int LoopPattern = -1;       // the pattern that starts again at its end; -1: none
};

// Demo seconds per real second: 0 while paused.
float ClockSpeed(const TDevClock& clock);
// The music is only right at real time, running.
bool MusicPlays(const TDevClock& clock, bool mute);

TDevClock TogglePause(TDevClock clock);
// `index` 0 to DevSpeedCount - 1; others change nothing.
TDevClock WithSpeed(TDevClock clock, int index);
// Loops `pattern`, or stops looping when it already loops.
TDevClock ToggleLoop(TDevClock clock, int pattern);
// A seek out of the looping pattern ends the loop. `patternAtTarget` is the
// pattern the seek lands in.
TDevClock AfterSeek(TDevClock clock, int patternAtTarget);
// True when the clock, reading `now`, has run past the looping pattern's
// end (`patternEnds` as the track holds them) and must go back to its start.
bool LoopWraps(const TDevClock& clock, const float* patternEnds, float now);
