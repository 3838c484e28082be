// The audio clock's rules on a simulated device: 1024-frame hand-overs at
// 44.1 kHz, stamped in nanoseconds with up to 4 ms of scheduling jitter,
// read three times a frame at 60 Hz as the demo's timer does. On time, hand-
// over k comes at k buffers' time and frame f is heard at (f + 1024) / rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/AudioClock.h"

namespace {
constexpr double Rate = 44100, Ns = 1e9;
constexpr std::uint32_t Buffer = 1024;

struct TReading {
  double At, Value, Heard;  // seconds, counter seconds, frames
};

struct TSim {
  TAudioClock Clock;
  double Now = 0;
  double NextHandOver = 0;
  double Delay = 0;  // the sound's loss so far: every later hand-over comes this much later
  int Count = 0;
  std::vector<TReading> Readings;

  TSim() {
    TAudioClockSetup s;
    s.Rate = Rate;
    s.CounterFrequency = Ns;
    s.LatencyFrames = 2 * Buffer;
    Clock = NewAudioClock(s);
  }
  static std::uint64_t Ticks(double seconds) { return static_cast<std::uint64_t>(std::llround(seconds * Ns)); }
  void Stall(double seconds) {
    Delay += seconds;
    NextHandOver += seconds;
  }
  void Run(double until, bool follow = true) {
    for (double frame = std::ceil(Now * 60 + 1e-9) / 60; frame < until; frame += 1.0 / 60) {
      for (; NextHandOver <= frame; NextHandOver += Buffer / Rate, ++Count)
        AudioClockHandOver(Clock, Buffer, Ticks(NextHandOver + 0.004 * std::sin(Count * 1.7)));
      for (int read = 0; read < 3; ++read) {
        Now = frame + read * 1e-4;
        const double value = AudioClockCounter(Clock, Ticks(Now), follow) / Ns;
        Readings.push_back({Now, value, AudioClockHeard(Clock)});
      }
    }
  }
  // Where the device is: the frame being heard now.
  double Heard(double at) const { return (at - Delay) * Rate - Buffer; }
};

// The largest distance, in seconds, of the readings from one straight line.
double WorstFromLine(const std::vector<TReading>& r, std::size_t from) {
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  const double n = static_cast<double>(r.size() - from);
  for (std::size_t i = from; i < r.size(); ++i) {
    sx += r[i].At, sy += r[i].Value, sxx += r[i].At * r[i].At, sxy += r[i].At * r[i].Value;
  }
  const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx), offset = (sy - slope * sx) / n;
  double worst = 0;
  for (std::size_t i = from; i < r.size(); ++i) worst = std::max(worst, std::abs(r[i].Value - offset - slope * r[i].At));
  return worst;
}
}  // namespace

TEST(AudioClock, FollowsTheSoundWithoutStepsAndNeverGoesBack) {
  TSim sim;
  sim.Run(10);
  for (std::size_t i = 1; i < sim.Readings.size(); ++i)
    ASSERT_GE(sim.Readings[i].Value, sim.Readings[i - 1].Value) << "reading " << i;
  EXPECT_LT(WorstFromLine(sim.Readings, sim.Readings.size() / 10), 0.001);
  for (std::size_t i = sim.Readings.size() / 10; i < sim.Readings.size(); i += 97)
    ASSERT_NEAR(sim.Readings[i].Heard, sim.Heard(sim.Readings[i].At), 0.001 * Rate) << "at " << sim.Readings[i].At;
  EXPECT_EQ(sim.Clock.Underruns, 0) << "jitter within a buffer is no underrun";
}

TEST(AudioClock, AStallHoldsTheClockAndTheResumeCarriesItOn) {
  TSim sim;
  sim.Run(3);
  const TReading before = sim.Readings.back();
  sim.Stall(0.3);  // the mixer's thread waits its turn for 300 ms
  sim.Run(6);
  EXPECT_EQ(sim.Clock.Underruns, 1);
  // Once the sound handed over has all been heard the clock stands, as the
  // sound does, until the next hand-over.
  std::vector<double> held;
  for (const TReading& r : sim.Readings)
    if (r.At > 3.1 && r.At < 3.25) held.push_back(r.Value);
  ASSERT_FALSE(held.empty());
  EXPECT_EQ(held.front(), held.back());
  // It goes on from there: the 300 ms are lost as the sound lost them, and
  // the clock is where the sound is.
  const TReading& last = sim.Readings.back();
  EXPECT_NEAR(last.Value - before.Value, last.At - before.At - 0.3, 0.01);
  EXPECT_NEAR(last.Heard, sim.Heard(last.At), 0.003 * Rate);
}

TEST(AudioClock, WithoutASoundItIsTheMachinesCounterAndTheJoinsAreSeamless) {
  TSim sim;
  sim.Run(1, false);
  EXPECT_NEAR(sim.Readings.back().Value, sim.Readings.back().At, 1e-9);
  sim.Run(4, true);
  sim.Run(5, false);
  for (std::size_t i = 1; i < sim.Readings.size(); ++i) {
    const double step = sim.Readings[i].Value - sim.Readings[i - 1].Value;
    ASSERT_NEAR(step, sim.Readings[i].At - sim.Readings[i - 1].At, 0.002) << "at " << sim.Readings[i].At << " s";
  }
  // A device that stops for good leaves the clock to the machine's counter.
  TSim gone;
  gone.Run(2);
  gone.Stall(100);
  gone.Run(5);
  const TReading& last = gone.Readings.back();
  const TReading& second = gone.Readings[gone.Readings.size() - 180];
  EXPECT_NEAR(last.Value - second.Value, last.At - second.At, 1e-6);
}

TEST(AudioClock, APlaybackIsHeardWhenTheClockHasRunTheSecondsItSaid) {
  TSim sim;
  sim.Run(2);
  sim.Stall(0.1);  // also after a loss
  sim.Run(2.5);
  // A playback starts with the next buffer handed over; the demo's time is
  // re-based on the seconds the clock says until it is heard.
  const double first = sim.Clock.Handed;
  const double value = sim.Readings.back().Value;
  const double until = AudioClockSecondsUntil(sim.Clock, first);
  sim.Run(3);
  const auto reached = std::find_if(sim.Readings.begin(), sim.Readings.end(),
                                    [&](const TReading& r) { return r.Value >= value + until; });
  ASSERT_NE(reached, sim.Readings.end());
  EXPECT_NEAR(sim.Heard(reached->At), first, (0.001 + 1.0 / 60) * Rate);
}
