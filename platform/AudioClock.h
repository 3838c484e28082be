// AudioClock: the music as heard, told from the sound handed to the audio
// device. Each hand-over (the frames the mixer gave the device) is stamped
// with the counter; between hand-overs the position is carried forward by
// the counter. What is heard lags what was handed over by the output's
// latency, and stops where the sound handed over runs out (an underrun holds
// the clock as it holds the sound). Readings follow that position gently,
// so they never step at the hand-overs' rate, and never go back.
// Needs: nothing (plain numbers). platform/QuarnBASS feeds it from the
// mixer's thread and SdlClock reads it, both under QuarnBASS's lock.
#pragma once
#include <cstdint>

struct TAudioClockSetup {
  double Rate = 44100;              // frames a second
  double CounterFrequency = 1e9;    // counter ticks a second
  double LatencyFrames = 0;         // from a hand-over to its last frame being heard
  double StallSeconds = 1;          // no hand-over for this long: the device is gone
};

struct TAudioClock {
  TAudioClockSetup Setup;
  // The hand-overs (the mixer's thread).
  bool HandedOver = false;
  double Handed = 0;            // frames handed over so far
  std::uint64_t HandedAt = 0;   // counter at the last hand-over
  double RunsOutAt = 0;         // counter tick when the sound handed over runs out
  long Underruns = 0;           // hand-overs after the sound before them ran out
  // The readings (the demo's thread).
  bool Following = false;       // the counter reads the sound, not the machine's counter
  double Heard = 0;             // frames heard at the last reading
  std::uint64_t ReadAt = 0;     // machine counter at the last reading
  double Base = 0;              // counter value of frame 0 while following
  std::uint64_t Value = 0;      // the counter returned last
  bool Read = false;            // a value has been returned
};

TAudioClock NewAudioClock(const TAudioClockSetup& setup);
// A device opened again: its hand-overs start afresh, the readings go on
// from where they were.
void ReopenAudioClock(TAudioClock& clock, const TAudioClockSetup& setup);

// The device took `frames` more at machine counter `now`.
void AudioClockHandOver(TAudioClock& clock, std::uint32_t frames, std::uint64_t now);

// The counter the demo's timer reads, at machine counter `now`: while
// `follow` (a sound plays), the position heard; otherwise the machine's
// counter. The two join without a jump, and the value never goes back.
std::uint64_t AudioClockCounter(TAudioClock& clock, std::uint64_t now, bool follow);

// Seconds on that counter from its last value until output frame `frame`
// (a playback's first, say) is heard; negative once it has been.
double AudioClockSecondsUntil(const TAudioClock& clock, double frame);

// Frames heard at the last reading that followed the sound.
double AudioClockHeard(const TAudioClock& clock);
