// The sync track as text and back, and the atomic file writes that keep it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

#include "platform/Files.h"
#include "support/TestSupport.h"
#include "sync/SncText.h"

namespace {
void PutBits(std::vector<std::uint8_t>& bytes, int entry, std::uint32_t bits) {
  for (int k = 0; k < 4; ++k)
    bytes[static_cast<std::size_t>(entry * 4 + k)] = static_cast<std::uint8_t>(bits >> (8 * k));
}

std::set<std::string> Names(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}
}  // namespace

TEST(SncText, EveryFloatSurvivesDumpAndBuildBitForBit) {
  std::vector<std::uint8_t> bytes(1616);
  std::mt19937 random(7);
  for (int i = 0; i < 404; ++i) PutBits(bytes, i, static_cast<std::uint32_t>(random()));
  const std::uint32_t odd[] = {0x80000000,  // -0
                               0x00000001,  // smallest subnormal
                               0x807FFFFF,  // largest negative subnormal
                               0x7F7FFFFF,  // largest finite
                               0x7F800000, 0xFF800000,  // +-inf
                               0x7FC01234,  // quiet NaN with a payload
                               0x7F800001, 0x7FA5A5A5,  // signalling NaNs
                               0xFFC00000,  // negative NaN
                               0x3DCCCCCD};  // 0.1
  for (int i = 0; i < static_cast<int>(std::size(odd)); ++i) {
    PutBits(bytes, 3 + i, odd[i]);  // table 1, among the named patterns
    PutBits(bytes, 400 - i, odd[i]);  // table 4
  }

  const std::string text = SncToText(bytes, [](int p) { return p == 5 ? std::string("wombat") : std::string(); });
  EXPECT_NE(text.find("# wombat\n"), std::string::npos);
  std::vector<std::uint8_t> built;
  TSncTextError error;
  ASSERT_TRUE(SncFromText(text, built, error)) << error.Message();
  EXPECT_EQ(built, bytes);
}

TEST(SncText, ShortFileDumpsAsTheDemoReadsItAndBuildsTo1616Bytes) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x00, 0x80, 0x41, 0x00, 0x00, 0xC0, 0x41, 0x34, 0x12};
  std::vector<std::uint8_t> built;
  TSncTextError error;
  ASSERT_TRUE(SncFromText(SncToText(bytes), built, error)) << error.Message();
  ASSERT_EQ(built.size(), 1616u);
  // 16, 24, and a last entry holding only its two low-order bytes.
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), built.begin()));
  EXPECT_EQ(std::count(built.begin() + 10, built.end(), 0), 1606);
}

TEST(SncText, CommentsBlankLinesAndUnnamedEntriesAreZero) {
  std::vector<std::uint8_t> built;
  TSncTextError error;
  ASSERT_TRUE(SncFromText("\n# a track\r\n  end 3\t2.5   # lakris\r\nt4 100 -0\n", built, error)) << error.Message();
  std::vector<std::uint8_t> expected(1616);
  PutBits(expected, 3, 0x40200000);
  PutBits(expected, 403, 0x80000000);
  EXPECT_EQ(built, expected);
}

TEST(SncText, BadTextIsRefusedWithItsLineNumber) {
  const struct {
    const char* Text;
    int Line;
    const char* Says;
  } cases[] = {
      {"end 0 1\n\nstart 1 2\n", 3, "unknown keyword 'start'"},
      {"end 0 1\nend 1\n", 2, "'end 1' needs a value"},
      {"end 0 1,5\n", 1, "bad number '1,5'"},
      {"# x\nt2 0 0x10\n", 2, "bad number '0x10'"},
      {"t3 101 1\n", 1, "'101'"},
      {"t3 -1 1\n", 1, "'-1'"},
      {"end 0 1e39\n", 1, "too large"},
      {"end 0 nan:0x7f800000\n", 1, "not a NaN"},
      {"end 7 1\nend 8 2\n\nend 7 3\n", 4, "'end 7' given twice (first on line 1)"},
      {"end 7 1 2\n", 1, "unexpected '2'"},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> built;
    TSncTextError error;
    EXPECT_FALSE(SncFromText(c.Text, built, error)) << c.Text;
    EXPECT_EQ(error.Line, c.Line) << c.Text;
    EXPECT_NE(error.Message().find(c.Says), std::string::npos) << error.Message();
    EXPECT_TRUE(built.empty());
  }
}

TEST(FilesAtomicWrite, KeepsTheOldFileAsBakAndLeavesNoTemporaryFile) {
  TTempDir dir;
  const std::string path = (dir / "test.snc").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, {1}, true, error)) << error;
  EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"test.snc"}) << "no old file, no backup";
  ASSERT_TRUE(WriteFileAtomically(path, {2, 2}, true, error)) << error;
  ASSERT_TRUE(WriteFileAtomically(path, {3, 3, 3}, true, error)) << error;
  std::vector<std::uint8_t> now, backup;
  ASSERT_TRUE(ReadFileBytes(path, now));
  ASSERT_TRUE(ReadFileBytes(path + ".bak", backup));
  EXPECT_EQ(now, (std::vector<std::uint8_t>{3, 3, 3}));
  EXPECT_EQ(backup, (std::vector<std::uint8_t>{2, 2}));
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"test.snc", "test.snc.bak"}));
}

TEST(FilesAtomicWrite, AFailureLeavesTheOldFileAndNoTemporaryFile) {
  TTempDir dir;
  const std::string path = (dir / "test.snc").string();
  WriteBytes(path, {9, 9});
  // A backup that cannot replace a directory: the write fails late.
  WriteBytes(dir / "test.snc.bak" / "inside", {1});
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(path, {1, 2, 3}, true, error));
  EXPECT_NE(error.find("test.snc.bak"), std::string::npos) << error;
  std::vector<std::uint8_t> now;
  ASSERT_TRUE(ReadFileBytes(path, now));
  EXPECT_EQ(now, (std::vector<std::uint8_t>{9, 9}));
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"test.snc", "test.snc.bak"}));

  error.clear();
  EXPECT_FALSE(WriteFileAtomically((dir / "test.snc.bak").string(), {1}, false, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "test.snc").string(), {1}, false, error));
  EXPECT_NE(error.find("missing/test.snc"), std::string::npos) << error;
  EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"test.snc", "test.snc.bak"}));
}
