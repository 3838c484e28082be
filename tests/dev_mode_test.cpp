// The development mode's rules: where pattern seeks land, the timeline's
// positions, which reloaded tracks are refused, and a clock that pauses,
// changes speed and loops without jumping.
#include <gtest/gtest.h>

#include <cmath>

#include "dev/DevCalibration.h"
#include "dev/DevClock.h"
#include "dev/DevTimeline.h"
#include "driver/QRN2Base.h"
#include "support/TestSupport.h"

namespace {
TSync TrackOf(const std::vector<float>& ends) {
  TSync track;
  const std::vector<std::uint8_t> bytes = SyncBytes(ends);
  track.LoadFromBytes(bytes.data(), bytes.size());
  return track;
}

// The pattern the track shows at `time`, looked for from the start.
int PatternAt(TSync track, float time) {
  track.Start();
  return track.CurrentPattern(time);
}

std::vector<float> EvenEnds(float step) {
  std::vector<float> ends;
  for (int p = 0; p <= FinalePattern; ++p) ends.push_back(step * (p + 1));
  return ends;
}
}  // namespace

TEST(DevTimeline, RowsStartWhereTheDriverSeeksAndHoldTheirOwnEnds) {
  Driver.Track = TrackOf(EvenEnds(1.5f));
  const std::vector<TPatternRow> rows = PatternRows(Driver.Track);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(FinalePattern + 1));
  for (const TPatternRow& row : rows) {
    EXPECT_EQ(row.Begin, Driver.Track.PatternStart(row.Pattern)) << row.Pattern;
    // What the track itself says shows at both edges: seeking to a row's
    // start must not land in the pattern before it.
    EXPECT_EQ(PatternAt(Driver.Track, row.Begin), row.Pattern) << row.Pattern;
    EXPECT_EQ(PatternAt(Driver.Track, row.End), row.Pattern) << row.Pattern;
    EXPECT_EQ(row.Scene, SceneOfPattern(row.Pattern));
  }
  EXPECT_FLOAT_EQ(TimelineLength(rows), 1.5f * (FinalePattern + 1));
}

TEST(DevTimeline, PageKeysStopAtTheFirstAndTheFinale) {
  EXPECT_EQ(PreviousPattern(0), 0);
  EXPECT_EQ(NextPattern(0), 1);
  EXPECT_EQ(NextPattern(FinalePattern), FinalePattern);
  // On the last frame, past the finale, Page Up goes back into the finale.
  EXPECT_EQ(PreviousPattern(LastFramePattern), FinalePattern);
}

TEST(DevTimeline, PositionsMapToTimesAndDragsPastTheEdgesClamp) {
  EXPECT_FLOAT_EQ(TimelineTime(TimelineX(37.5f, 150, 600), 150, 600), 37.5f);
  EXPECT_FLOAT_EQ(TimelineX(75, 150, 600), 300);
  EXPECT_EQ(TimelineTime(-40, 150, 600), 0);
  EXPECT_EQ(TimelineTime(900, 150, 600), 150);
  EXPECT_EQ(TimelineTime(10, 150, 0), 0);  // a window too narrow for a timeline
}

TEST(DevTimeline, TracksThatCannotDriveTheDemoAreRefusedWithTheReason) {
  EXPECT_EQ(TrackProblem(TrackOf(EvenEnds(2))), "");
  std::vector<float> ends = EvenEnds(2);
  ends.resize(10);
  EXPECT_NE(TrackProblem(TrackOf(ends)).find("pattern 10 has no end"), std::string::npos);
  ends = EvenEnds(2);
  ends[7] = ends[6];
  EXPECT_NE(TrackProblem(TrackOf(ends)).find("pattern 7 ends at 14.000 s"), std::string::npos);
  ends = EvenEnds(2);
  ends[3] = NAN;
  EXPECT_NE(TrackProblem(TrackOf(ends)).find("pattern 3"), std::string::npos);
}

TEST(DevClock, PauseAndSpeedsDecideTheClockAndTheMusic) {
  TDevClock clock;
  EXPECT_EQ(ClockSpeed(clock), 1);
  EXPECT_TRUE(MusicPlays(clock, false));
  EXPECT_FALSE(MusicPlays(clock, true));
  clock = TogglePause(clock);
  EXPECT_EQ(ClockSpeed(clock), 0);
  EXPECT_FALSE(MusicPlays(clock, false));
  clock = WithSpeed(TogglePause(clock), 3);
  EXPECT_EQ(ClockSpeed(clock), 4);
  EXPECT_FALSE(MusicPlays(clock, false));  // only real time sounds right
  EXPECT_EQ(ClockSpeed(WithSpeed(clock, 0)), 0.25f);
  EXPECT_EQ(WithSpeed(clock, 4).Speed, 3);  // no fifth speed
}

TEST(DevClock, ALoopedPatternWrapsOnlyPastItsEndAndEndsWhenSeekingAway) {
  const TSync track = TrackOf(EvenEnds(2));
  TDevClock clock = ToggleLoop(TDevClock{}, 4);
  EXPECT_FALSE(LoopWraps(clock, track.PatternEnds, 10.0f));  // its end is still its own
  EXPECT_TRUE(LoopWraps(clock, track.PatternEnds, std::nextafter(10.0f, 11.0f)));
  EXPECT_EQ(AfterSeek(clock, 4).LoopPattern, 4);
  EXPECT_EQ(AfterSeek(clock, 5).LoopPattern, -1);
  EXPECT_EQ(ToggleLoop(clock, 4).LoopPattern, -1);
  EXPECT_FALSE(LoopWraps(TDevClock{}, track.PatternEnds, 1000));
}

TEST(DevClock, SpeedChangesGoOnFromTheFrameShown) {
  TFakeCounter counter(1000);
  Driver = TDriverState{};
  TFakeCounter::Set(50000);
  Driver.Timer.Start();
  Driver.TimeOffset = 10;
  TFakeCounter::Advance(2000);
  Driver.Time = ClockNow();  // the frame shown
  EXPECT_FLOAT_EQ(Driver.Time, 12);
  SetClockSpeed(0);
  TFakeCounter::Advance(5000);
  EXPECT_FLOAT_EQ(ClockNow(), 12);  // held while paused
  SetClockSpeed(0.25f);
  TFakeCounter::Advance(4000);
  EXPECT_FLOAT_EQ(ClockNow(), 13);
  // Reading the clock between frames leaves the next frame's time step whole.
  Driver.Timer.Elapsed();
  TFakeCounter::Advance(300);
  ClockNow();
  TFakeCounter::Advance(700);
  Driver.Timer.Elapsed();
  EXPECT_FLOAT_EQ(Driver.Timer.Delta, 1);
}

TEST(DevCalibration, TheScreenFlashesExactlyWhereTheClicksSound) {
  const std::vector<std::uint8_t> wav = CalibrationClicks();
  ASSERT_GT(wav.size(), 44u);
  auto sample = [&](std::size_t frame) {
    return static_cast<std::int16_t>(wav[44 + 2 * frame] | wav[45 + 2 * frame] << 8);
  };
  const std::size_t frames = (wav.size() - 44) / 2;
  EXPECT_EQ(frames, static_cast<std::size_t>(CalibrationSeconds * 44100));
  // Every sounding frame lies where the screen is white, and every beat sounds.
  int beats = 0;
  for (std::size_t f = 0; f < frames; ++f) {
    const double t = static_cast<double>(f) / 44100;
    if (sample(f) != 0) {
      ASSERT_TRUE(CalibrationFlashes(t)) << "a click at " << t << " s with the screen dark";
    }
    if (f % 22050 == 1) beats += sample(f) != 0;
  }
  EXPECT_EQ(beats, static_cast<int>(CalibrationSeconds / CalibrationBeat));
  EXPECT_FALSE(CalibrationFlashes(0.25));
  EXPECT_EQ(CalibrationOffset(1990, 3), 2000) << "no further than --audio-offset takes";
}
