// The generated sync track and music: the pattern times the scenes rely on,
// and music that lasts the whole demo, stays below full scale and never
// falls silent. Also: the generator repeats itself byte for byte.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/QuarnBASS.h"
#include "support/MediaFiles.h"
#include "support/TestSupport.h"
#include "sync/Sync.h"
#include "tools/mediagen/Arrangement.h"

#ifdef MEDIA_DATA_DIR

namespace {

TSync LoadTrack() {
  TSync track;
  track.LoadFromFile(MediaPath("test.snc"));
  return track;
}

double Start(const TSync& t, int pattern) { return pattern == 0 ? 0.0 : t.PatternEnds[pattern - 1]; }
double Length(const TSync& t, int first, int last) { return t.PatternEnds[last] - Start(t, first); }

const TDecodedMusic& Music() {
  static TDecodedMusic music;
  static std::string error;
  static const bool ok = DecodeMp3(MediaBytes("music.mp3"), music, error);
  EXPECT_TRUE(ok) << error;
  return music;
}

}  // namespace

TEST(MediaSyncTrack, HasNineteenRisingPatternsOnBarLinesAndNothingAfter) {
  EXPECT_EQ(MediaBytes("test.snc").size(), 1616u);
  const TSync t = LoadTrack();
  double previous = 0;
  for (int i = 0; i <= 18; ++i) {
    EXPECT_GT(t.PatternEnds[i], previous) << "pattern " << i;
    const double bars = t.PatternEnds[i] / BarSeconds;
    EXPECT_NEAR(bars, std::round(bars), 1e-5) << "pattern " << i << " ends off the bar line";
    previous = t.PatternEnds[i];
  }
  for (int i = 19; i < SyncEntries; ++i) EXPECT_EQ(t.PatternEnds[i], 0.0f) << "entry " << i;
}

TEST(MediaSyncTrack, GivesEachSceneTheTimeItNeeds) {
  const TSync t = LoadTrack();
  EXPECT_GE(Length(t, 0, 0), 12.0) << "the opening warp settles";
  EXPECT_GE(Length(t, 2, 3), 5.0) << "the caption smear runs 4 s";
  const double lakrisStart = t.PatternEnds[6];
  EXPECT_EQ(Start(t, 7), lakrisStart) << "pattern 7 begins at Lakris time 0";
  const double lakrisEnd = t.PatternEnds[17] - lakrisStart;
  EXPECT_GE(lakrisEnd, 38.0) << "overlays to 35, circling to 7.8";
  EXPECT_LE(lakrisEnd, 72.0);
  EXPECT_GE(Length(t, 18, 18), 8.0) << "the finale twist";
  EXPECT_GE(t.PatternEnds[18], 120.0);
  EXPECT_LE(t.PatternEnds[18], 180.0);
}

TEST(MediaMusic, IsStereo44kAndLastsPastTheEndOfTheLastPattern) {
  const TDecodedMusic& m = Music();
  EXPECT_EQ(m.SampleRate, 44100);
  EXPECT_EQ(m.Channels, 2);
  const TSync t = LoadTrack();
  EXPECT_GE(m.Seconds(), t.PatternEnds[18]);
  EXPECT_LE(m.Seconds(), t.PatternEnds[18] + 5.0) << "no long silence after the end";
}

TEST(MediaMusic, PeaksAtMostOneDecibelBelowFullScale) {
  const TDecodedMusic& m = Music();
  int peak = 0;
  for (std::size_t i = 0; i < m.Left.size(); ++i) peak = std::max({peak, std::abs(int{m.Left[i]}), std::abs(int{m.Right[i]})});
  const double db = 20 * std::log10(peak / 32768.0);
  EXPECT_LE(db, -1.0);
  EXPECT_GE(db, -6.0) << "loud enough to be heard";
}

TEST(MediaMusic, NoPatternIsSilentAndBothSidesPlay) {
  const TDecodedMusic& m = Music();
  const TSync t = LoadTrack();
  for (int p = 0; p <= 18; ++p) {
    const std::size_t a = static_cast<std::size_t>(Start(t, p) * m.SampleRate);
    const std::size_t b = std::min(m.Left.size(), static_cast<std::size_t>(t.PatternEnds[p] * m.SampleRate));
    ASSERT_LT(a, b);
    double left = 0, right = 0;
    for (std::size_t i = a; i < b; ++i) {
      left += static_cast<double>(m.Left[i]) * m.Left[i];
      right += static_cast<double>(m.Right[i]) * m.Right[i];
    }
    const double n = static_cast<double>(b - a) * 32768.0 * 32768.0;
    EXPECT_GT(10 * std::log10(left / n), -30.0) << "pattern " << p << " left";
    EXPECT_GT(10 * std::log10(right / n), -30.0) << "pattern " << p << " right";
  }
}

TEST(MediaMusic, LoadsAndPlaysThroughTheDemosAudioModule) {
  ASSERT_TRUE(InitAudio(nullptr));
  const std::int32_t sample = LoadSample(MediaPath("music.mp3"));
  EXPECT_EQ(sample, 0);
  EXPECT_NE(PlaySample(sample, 100, 0), 0);
  ShutdownAudio();
}

TEST(MediaGenerator, TwoRunsWriteTheSameBytes) {
  TTempDir dir;
  ASSERT_EQ(RunMediaGenerator(dir.Path().string()), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    if (!entry.is_regular_file()) continue;
    const std::string name = std::filesystem::relative(entry.path(), dir.Path()).generic_string();
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> fresh(std::istreambuf_iterator<char>(in), {});
    EXPECT_TRUE(fresh == MediaBytes(name)) << name << " differs between two generations";
    ++files;
  }
  EXPECT_EQ(files, 22);
}

#endif
