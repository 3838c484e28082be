// Sync: the sync track that divides the demo into numbered patterns. Entry i
// of PatternEnds is the demo time at which pattern i ends; the first zero
// entry ends the list. Read from a ".snc" file: four tables of 101
// little-endian floats, 1616 bytes, no header.
// Needs: platform/Files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int SyncEntries = 101;
constexpr int SyncFileSize = 4 * SyncEntries * 4;

class TSync {
 public:
  float PatternEnds[SyncEntries] = {};
  std::int32_t Pattern = 0;
  float ExtraTables[3][SyncEntries] = {};  // held as read; nothing reads them

  // Throws EInOutError("Cannot open file <name>") when the file can't be
  // opened. A short file fills the tables as far as its bytes go.
  void LoadFromFile(const std::string& fileName);
  // The same from bytes in memory; bytes past the first 1616 are ignored.
  void LoadFromBytes(const std::uint8_t* data, std::size_t size);
  void Start();
  // Moves Pattern forward to `time` and returns it. It never goes back:
  // Start first to look again from the beginning.
  std::int32_t CurrentPattern(float time);
  // The first time the track shows `pattern` in: a pattern's end time still
  // belongs to it, so the next begins just after.
  float PatternStart(std::int32_t pattern) const;
};
