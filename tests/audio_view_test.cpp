// The music view: peaks per pixel column at two zooms, and the tempo and
// first beat proposed for a drum track with off-beat hats and noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "dev/AudioView.h"

namespace {
constexpr double Pi = 3.14159265358979323846;

// A stereo drum track: a kick on every beat, a hat half as loud between
// them, under steady noise.
std::vector<std::int16_t> DrumTrack(double bpm, double firstBeat, double seconds, int rate) {
  std::vector<double> mix(static_cast<std::size_t>(seconds * rate));
  std::mt19937 random(7);
  std::normal_distribution<double> noise(0, 0.02);
  for (double& x : mix) x = noise(random);
  const double beat = 60 / bpm;
  for (double at = firstBeat; at < seconds; at += beat / 2) {
    const bool kick = std::fmod(at - firstBeat + beat / 4, beat) < beat / 2;
    const auto from = static_cast<std::size_t>(std::lround(at * rate));
    for (std::size_t i = 0; i < std::size_t(rate / 10) && from + i < mix.size(); ++i) {
      const double t = double(i) / rate;
      mix[from + i] += kick ? 0.6 * std::exp(-t / 0.03) * std::sin(2 * Pi * 60 * t)
                            : 0.3 * std::exp(-t / 0.01) * noise(random) / 0.02;
    }
  }
  std::vector<std::int16_t> pcm;
  for (double x : mix) pcm.insert(pcm.end(), 2, static_cast<std::int16_t>(std::clamp(x, -1.0, 1.0) * 32767));
  return pcm;
}
}  // namespace

TEST(AudioView, ProposesTheTempoAndTheFirstBeatOfADrumTrack) {
  const double bpm = 128, firstBeat = 0.12, beat = 60 / bpm;
  const std::vector<std::int16_t> pcm = DrumTrack(bpm, firstBeat, 30, 44100);
  const TTempo tempo = ProposeTempo(pcm.data(), pcm.size() / 2, 2, 44100);
  EXPECT_NEAR(tempo.Bpm, bpm, 0.05);
  EXPECT_GE(tempo.FirstBeat, 0);
  EXPECT_LT(tempo.FirstBeat, 60 / tempo.Bpm);
  EXPECT_NEAR(tempo.FirstBeat, firstBeat, 0.005) << "the hats fall " << beat / 2 << " s later";
}

TEST(AudioView, NoTempoWithoutABeat) {
  EXPECT_EQ(ProposeTempo(nullptr, 0, 2, 44100).Bpm, 0);
  std::vector<std::int16_t> sound(2 * 44100 * 20, 0);
  EXPECT_EQ(ProposeTempo(sound.data(), sound.size() / 2, 2, 44100).Bpm, 0);
  std::mt19937 random(3);
  std::normal_distribution<double> noise(0, 3000);
  for (std::int16_t& s : sound) s = static_cast<std::int16_t>(std::clamp(noise(random), -32767.0, 32767.0));
  EXPECT_EQ(ProposeTempo(sound.data(), sound.size() / 2, 2, 44100).Bpm, 0);
  // Too short to compare beats, however loud.
  const std::vector<std::int16_t> shortTrack = DrumTrack(120, 0, MinMusicSeconds / 2, 44100);
  EXPECT_EQ(ProposeTempo(shortTrack.data(), shortTrack.size() / 2, 2, 44100).Bpm, 0);
}

TEST(AudioView, ColumnsHoldThePeaksUnderThemAtTwoZooms) {
  // 16 s at 4096 frames a second: a quiet square wave, one loud sample on
  // the left at 5.244 s and one on the right at 11.019 s.
  constexpr int Rate = 4096;
  std::vector<std::int16_t> pcm(2 * 16 * Rate);
  for (std::size_t f = 0; f < pcm.size() / 2; ++f) pcm[2 * f] = pcm[2 * f + 1] = f / 50 % 2 ? 1000 : -1000;
  const std::size_t high = 5 * Rate + 1000, low = 11 * Rate + 77;
  pcm[2 * high] = 30000;
  pcm[2 * low + 1] = -20000;
  const TPeakLevels peaks = BuildPeaks(pcm.data(), pcm.size() / 2, 2, Rate);
  const float quiet = 1000 / 32768.0f;

  const std::vector<TPeak> whole = PeakColumns(peaks, 0, 16, 16);  // a second a column
  for (int c = 0; c < 16; ++c) {
    EXPECT_FLOAT_EQ(whole[c].Max, c == 5 ? 30000 / 32768.0f : quiet) << c;
    EXPECT_FLOAT_EQ(whole[c].Min, c == 11 ? -20000 / 32768.0f : -quiet) << c;
  }
  const std::vector<TPeak> close = PeakColumns(peaks, 5, 7, 32);  // a block a column
  for (int c = 0; c < 32; ++c) EXPECT_EQ(close[c].Max > quiet, c == 1000 / PeakBlockFrames) << c;

  // Past either end of the music the columns are empty.
  const std::vector<TPeak> ends = PeakColumns(peaks, 14, 18, 4);
  EXPECT_GT(ends[1].Max, 0);
  EXPECT_EQ(ends[2].Max, 0);
  EXPECT_EQ(ends[3].Min, 0);
  EXPECT_EQ(PeakColumns(peaks, -2, 2, 4)[1].Max, 0);
}
