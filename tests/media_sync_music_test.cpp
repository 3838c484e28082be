// The generated sync track and music: the pattern times the scenes rely on,
// and music that lasts the whole demo, stays below full scale and never
// falls silent. Also: the generator repeats itself byte for byte.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <SDL2/SDL_audio.h>

#include <algorithm>
#include <memory>

#include "platform/sdl/Mp3Stream.h"
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

// What plays while the thread decodes is the music itself: compared with
// LAME's own decoder, sample for sample, read in pieces as the mixer does.
TEST(MediaMusic, DecodedOnItsThreadIsTheMusicInTheOutputFormat) {
  const TDecodedMusic& music = Music();
  std::unique_ptr<TMp3Stream> stream = TMp3Stream::Open(MediaPath("music.mp3"), {44100, AUDIO_S16SYS, 2});
  ASSERT_TRUE(stream);
  const std::size_t frames = stream->Bytes() / 4;
  EXPECT_NEAR(static_cast<double>(frames), static_cast<double>(music.Left.size()), 1152.0);
  stream->WaitDecoded();
  std::vector<std::int16_t> pcm(stream->Bytes() / 2);
  const std::size_t piece = 4096 * 4;  // one mixer buffer
  for (std::size_t at = 0; at < stream->Bytes(); at += piece)
    stream->Read(at, reinterpret_cast<std::uint8_t*>(pcm.data()) + at, std::min(piece, stream->Bytes() - at));
  double difference = 0;
  const std::size_t n = std::min(frames, music.Left.size());
  for (std::size_t i = 0; i < n; ++i)
    difference += std::abs(pcm[2 * i] - music.Left[i]) + std::abs(pcm[2 * i + 1] - music.Right[i]);
  EXPECT_LT(difference / (2.0 * n), 2.0) << "mean difference per sample, of 32768";
  std::vector<std::uint8_t> past(64, 1);
  stream->Read(stream->Bytes(), past.data(), past.size());
  EXPECT_EQ(std::count(past.begin(), past.end(), 0), 64) << "silence after the end";
}

// The length comes from the LAME tag, unless the tag claims more frames than
// the file could hold: then from the frames themselves, not a huge buffer.
TEST(MediaMusic, ATagClaimingTooManyFramesIsNotBelieved) {
  std::vector<std::uint8_t> bytes = MediaBytes("music.mp3");
  const std::unique_ptr<TMp3Stream> good = TMp3Stream::Open(MediaPath("music.mp3"), {44100, AUDIO_S16SYS, 2});
  ASSERT_TRUE(good);
  const char* tag = "Info";
  auto at = std::search(bytes.begin(), bytes.begin() + 4096, tag, tag + 4);
  if (at == bytes.begin() + 4096) at = std::search(bytes.begin(), bytes.begin() + 4096, "Xing", "Xing" + 4);
  ASSERT_NE(at, bytes.begin() + 4096) << "the generator writes a LAME tag";
  ASSERT_TRUE(at[7] & 1) << "with a frame count";
  for (int i = 8; i < 12; ++i) at[i] = 0x7F;  // big-endian frame count
  TTempDir dir;
  std::ofstream(dir / "claims.mp3", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            static_cast<std::streamsize>(bytes.size()));
  const std::unique_ptr<TMp3Stream> damaged = TMp3Stream::Open((dir / "claims.mp3").string(), {44100, AUDIO_S16SYS, 2});
  ASSERT_TRUE(damaged);
  EXPECT_NEAR(static_cast<double>(damaged->Bytes()), static_cast<double>(good->Bytes()), 2 * 1152 * 4.0);
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
