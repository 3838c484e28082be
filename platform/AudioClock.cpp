// AudioClock: a follower of the heard position. The hand-overs' stamps
// jitter by the device's scheduling (a server renders in blocks of its
// own), so the position each one implies is followed with a time constant
// rather than taken as it comes.
#include "platform/AudioClock.h"

#include <algorithm>
#include <cmath>

namespace {
// Seconds over which a reading closes its gap to the sound: long against
// the hand-overs' jitter, short against any drift of the device's rate.
constexpr double FollowSeconds = 0.5;
// A gap larger than this is not jitter: the reading jumps to the sound
// (forward only).
constexpr double SnapSeconds = 0.05;

double Ticks(const TAudioClock& c, double frames) { return frames * c.Setup.CounterFrequency / c.Setup.Rate; }
double Frames(const TAudioClock& c, double ticks) { return ticks * c.Setup.Rate / c.Setup.CounterFrequency; }
double SignedTicks(std::uint64_t later, std::uint64_t earlier) {
  return later >= earlier ? static_cast<double>(later - earlier) : -static_cast<double>(earlier - later);
}

// Where the sound is at `now` by the last hand-over alone: carried on from
// its stamp, less the latency, and no further than the sound handed over.
double HeardByHandOver(const TAudioClock& c, std::uint64_t now) {
  const double carried = c.Handed - c.Setup.LatencyFrames + Frames(c, SignedTicks(now, c.HandedAt));
  return std::min(carried, c.Handed);
}

bool DeviceGone(const TAudioClock& c, std::uint64_t now) {
  return SignedTicks(now, c.HandedAt) > c.Setup.StallSeconds * c.Setup.CounterFrequency;
}
}  // namespace

TAudioClock NewAudioClock(const TAudioClockSetup& setup) {
  TAudioClock c;
  c.Setup = setup;
  return c;
}

void ReopenAudioClock(TAudioClock& c, const TAudioClockSetup& setup) {
  TAudioClock fresh = NewAudioClock(setup);
  fresh.Read = c.Read;
  fresh.Value = c.Value;
  fresh.ReadAt = c.ReadAt;
  c = fresh;
}

void AudioClockHandOver(TAudioClock& c, std::uint32_t frames, std::uint64_t now) {
  const double at = static_cast<double>(now);
  // The sound handed over before ran out first: the device went silent.
  // A quarter of a buffer is the stamps' own jitter (a server wakes the
  // mixer on blocks of its own).
  if (c.HandedOver && at > c.RunsOutAt + Ticks(c, frames) / 4) ++c.Underruns;
  // Played on from when it came, or from where the sound before it ends.
  c.RunsOutAt = (c.HandedOver ? std::max(c.RunsOutAt, at) : at) + Ticks(c, frames);
  c.Handed += frames;
  c.HandedAt = now;
  c.HandedOver = true;
}

std::uint64_t AudioClockCounter(TAudioClock& c, std::uint64_t now, bool follow) {
  follow = follow && c.HandedOver;
  if (!c.Read) {
    c.Value = now;
    c.Read = true;
  } else if (!follow || !c.Following) {
    // The machine's counter carries the clock on (and into following).
    c.Value += static_cast<std::uint64_t>(std::max(0.0, SignedTicks(now, c.ReadAt)));
  }
  if (follow) {
    const double target = HeardByHandOver(c, now);
    double heard = target;
    if (c.Following) {
      const double seconds = std::max(0.0, SignedTicks(now, c.ReadAt)) / c.Setup.CounterFrequency;
      const double carried = c.Heard + seconds * c.Setup.Rate;
      const double gap = target - carried;
      if (DeviceGone(c, now))
        heard = carried;  // nothing more will come: the machine's counter goes on
      else if (gap > SnapSeconds * c.Setup.Rate)
        heard = target;
      else
        heard = std::min(carried + gap * std::min(1.0, seconds / FollowSeconds), c.Handed);
      heard = std::max(heard, c.Heard);
      const auto value = static_cast<std::uint64_t>(std::llround(c.Base + Ticks(c, heard)));
      c.Value = std::max(c.Value, value);
    } else {
      // Following from here: the counter goes on from its value.
      c.Base = static_cast<double>(c.Value) - Ticks(c, heard);
    }
    c.Heard = heard;
  }
  c.Following = follow;
  c.ReadAt = now;
  return c.Value;
}

double AudioClockSecondsUntil(const TAudioClock& c, double frame) {
  if (!c.Following) return (frame - c.Handed + c.Setup.LatencyFrames) / c.Setup.Rate;
  return (frame - c.Heard) / c.Setup.Rate;
}

double AudioClockHeard(const TAudioClock& c) { return c.Heard; }
