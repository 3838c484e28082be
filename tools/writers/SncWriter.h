// SncWriter: ".snc" sync tracks: four tables of 101 little-endian singles,
// 1616 bytes, no header. Table 1 holds the pattern end times; the other three
// are carried along as given. Needs sync/Sync.h for the table sizes.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TSncTables {
  std::vector<float> PatternEnds;              // at most 101; the rest is zero
  std::array<std::vector<float>, 3> Extra;     // each at most 101
};

// Throws std::invalid_argument for a table longer than 101 entries.
std::vector<std::uint8_t> EncodeSnc(const TSncTables& tables);

// Throws std::runtime_error when the file can't be written.
void WriteSnc(const std::string& path, const TSncTables& tables);
