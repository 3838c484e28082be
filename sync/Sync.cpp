// Sync: the pattern number follows the demo clock; it never goes back.
#include "sync/Sync.h"

#include <cmath>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Files.h"

void TSync::LoadFromFile(const std::string& fileName) {
  std::vector<std::uint8_t> bytes;
  if (!ReadFilePrefix(fileName, SyncFileSize, bytes)) throw EInOutError("Cannot open file " + fileName);
  LoadFromBytes(bytes.data(), bytes.size());
}

void TSync::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  size = std::min<std::size_t>(size, SyncFileSize);
  // The four tables follow one another in the file as they do here.
  float* tables[4] = {PatternEnds, ExtraTables[0], ExtraTables[1], ExtraTables[2]};
  const std::size_t whole = size / 4;
  for (std::size_t i = 0; i < whole; ++i) {
    const std::uint8_t* b = data + i * 4;
    const std::uint32_t bits = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                               std::uint32_t{b[3]} << 24;
    std::memcpy(&tables[i / SyncEntries][i % SyncEntries], &bits, 4);
  }
  if (const std::size_t rest = size % 4) {
    // A trailing partial float overwrites only its low-order bytes.
    float& target = tables[whole / SyncEntries][whole % SyncEntries];
    std::uint32_t bits;
    std::memcpy(&bits, &target, 4);
    for (std::size_t k = 0; k < rest; ++k)
      bits = (bits & ~(0xFFu << (8 * k))) | std::uint32_t{data[whole * 4 + k]} << (8 * k);
    std::memcpy(&target, &bits, 4);
  }
}

void TSync::Start() { Pattern = 0; }

std::int32_t TSync::CurrentPattern(float time) {
  while (Pattern < SyncEntries - 1) {
    const float end = PatternEnds[Pattern];
    if (end >= time || end == 0.0f) break;
    ++Pattern;
  }
  return Pattern;
}

float TSync::PatternStart(std::int32_t pattern) const {
  return pattern <= 0 ? 0.0f : std::nextafter(PatternEnds[pattern - 1], INFINITY);
}
