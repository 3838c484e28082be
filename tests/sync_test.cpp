// The sync track: file reading and how the pattern follows the clock.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/Files.h"
#include "support/TestSupport.h"
#include "sync/Sync.h"

namespace {
std::vector<float> Ramp(int count, float step) {
  std::vector<float> ends;
  for (int i = 1; i <= count; ++i) ends.push_back(step * static_cast<float>(i));
  return ends;
}
}  // namespace

TEST(SyncTrack, PatternStaysWhileTimeEqualsItsEndAndMovesJustAfter) {
  TSync sync;
  sync.PatternEnds[0] = 1.5f;
  sync.PatternEnds[1] = 3.0f;
  EXPECT_EQ(sync.CurrentPattern(1.5f), 0);
  EXPECT_EQ(sync.CurrentPattern(1.5f), 0);
  EXPECT_EQ(sync.CurrentPattern(std::nextafter(1.5f, 2.0f)), 1);
  EXPECT_EQ(sync.CurrentPattern(0.0f), 1) << "the pattern never goes back";
}

TEST(SyncTrack, StartLooksAgainFromTheBeginning) {
  TSync sync;
  sync.PatternEnds[0] = 1.0f;
  sync.PatternEnds[1] = 2.0f;
  sync.PatternEnds[2] = 3.0f;
  EXPECT_EQ(sync.CurrentPattern(2.5f), 2);
  sync.Start();
  EXPECT_EQ(sync.CurrentPattern(1.25f), 1);
  EXPECT_EQ(sync.Pattern, 1);
}

TEST(SyncTrack, ZeroEntryStopsTheTrackForGood) {
  TSync sync;
  auto ends = Ramp(19, 1.0f);
  ends[7] = 0.0f;
  for (std::size_t i = 0; i < ends.size(); ++i) sync.PatternEnds[i] = ends[i];
  EXPECT_EQ(sync.CurrentPattern(1000.0f), 7);
  EXPECT_EQ(sync.CurrentPattern(1e9f), 7);

  TSync empty;
  EXPECT_EQ(empty.CurrentPattern(50.0f), 0) << "a zero first entry keeps pattern 0";
}

TEST(SyncTrack, StallJumpsOverSeveralPatternsInOneCall) {
  TSync sync;
  auto ends = Ramp(19, 1.0f);
  for (std::size_t i = 0; i < ends.size(); ++i) sync.PatternEnds[i] = ends[i];
  EXPECT_EQ(sync.CurrentPattern(0.5f), 0);
  EXPECT_EQ(sync.CurrentPattern(5.5f), 5) << "first pattern whose end is still ahead";
  EXPECT_EQ(sync.CurrentPattern(100.0f), 19);
}

TEST(SyncTrack, IndexNeverPassesTheTable) {
  TSync sync;
  for (float& e : sync.PatternEnds) e = 1.0f;
  EXPECT_EQ(sync.CurrentPattern(2.0f), 100);
  EXPECT_EQ(sync.CurrentPattern(3.0f), 100);
}

TEST(SyncFile, FullFileFillsAllFourTablesAndLeavesPatternAlone) {
  TTempDir dir;
  auto bytes = SyncBytes(Ramp(19, 2.0f));
  const float extra = 7.25f;
  std::memcpy(&bytes[404 + 4 * 3], &extra, 4);  // table 2, entry 3
  std::memcpy(&bytes[1212 + 4 * 100], &extra, 4);  // table 4, last entry
  bytes.push_back(0xFF);  // bytes past 1616 are not read
  WriteBytes(dir / "test.snc", bytes);

  TSync sync;
  sync.Pattern = 4;
  sync.LoadFromFile((dir / "test.snc").string());
  EXPECT_EQ(sync.Pattern, 4);
  EXPECT_FLOAT_EQ(sync.PatternEnds[0], 2.0f);
  EXPECT_FLOAT_EQ(sync.PatternEnds[18], 38.0f);
  EXPECT_FLOAT_EQ(sync.PatternEnds[19], 0.0f);
  EXPECT_FLOAT_EQ(sync.ExtraTables[0][3], 7.25f);
  EXPECT_FLOAT_EQ(sync.ExtraTables[2][100], 7.25f);
  sync.Start();
  EXPECT_EQ(sync.Pattern, 0);
}

TEST(SyncFile, FiveHundredBytesFillTableOneAndPartOfTableTwo) {
  TTempDir dir;
  std::vector<std::uint8_t> bytes(500);
  for (std::size_t i = 0; i < bytes.size(); i += 4) {
    const float v = static_cast<float>(i / 4 + 1);
    std::memcpy(&bytes[i], &v, 4);
  }
  WriteBytes(dir / "short.snc", bytes);
  TSync sync;
  sync.LoadFromFile((dir / "short.snc").string());
  EXPECT_FLOAT_EQ(sync.PatternEnds[100], 101.0f);
  EXPECT_FLOAT_EQ(sync.ExtraTables[0][0], 102.0f);
  EXPECT_FLOAT_EQ(sync.ExtraTables[0][23], 125.0f);
  EXPECT_FLOAT_EQ(sync.ExtraTables[0][24], 0.0f);
  EXPECT_FLOAT_EQ(sync.ExtraTables[2][100], 0.0f);
}

TEST(SyncFile, EmptyFileKeepsPatternZeroAndOddLengthKeepsLowBytesOnly) {
  TTempDir dir;
  WriteBytes(dir / "empty.snc", {});
  TSync sync;
  sync.LoadFromFile((dir / "empty.snc").string());
  EXPECT_EQ(sync.CurrentPattern(10.0f), 0);

  // Two bytes reach the low half of entry 0 of a track that held 1.0.
  WriteBytes(dir / "two.snc", {0x34, 0x12});
  TSync partial;
  partial.PatternEnds[0] = 1.0f;
  partial.LoadFromFile((dir / "two.snc").string());
  std::uint32_t bits;
  std::memcpy(&bits, &partial.PatternEnds[0], 4);
  EXPECT_EQ(bits, 0x3F801234u);
}

TEST(SyncFile, MissingFileRaisesCannotOpenWithItsName) {
  TTempDir dir(true);
  TSync sync;
  try {
    sync.LoadFromFile("test.snc");
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file test.snc");
  }
}

TEST(SyncFile, BytesInMemoryGiveTheSameTablesAsTheFile) {
  TTempDir dir;
  std::vector<std::uint8_t> bytes(1700);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  WriteBytes(dir / "test.snc", bytes);
  TSync fromFile, fromBytes;
  fromFile.LoadFromFile((dir / "test.snc").string());
  fromBytes.LoadFromBytes(bytes.data(), bytes.size());  // the 84 bytes past 1616 are ignored
  EXPECT_EQ(std::memcmp(fromFile.PatternEnds, fromBytes.PatternEnds, sizeof fromFile.PatternEnds), 0);
  EXPECT_EQ(std::memcmp(fromFile.ExtraTables, fromBytes.ExtraTables, sizeof fromFile.ExtraTables), 0);
  std::uint32_t last;
  std::memcpy(&last, &fromBytes.ExtraTables[2][100], 4);
  EXPECT_EQ(last, std::uint32_t{bytes[1612]} | bytes[1613] << 8 | bytes[1614] << 16 |
                      std::uint32_t{bytes[1615]} << 24);
}
