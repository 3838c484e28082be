// SncText: a ".snc" sync track as text, one entry a line, so that it can be
// kept in version control and edited by hand, and that text built back into
// the track's 1616 bytes. Every float survives the trip bit for bit.
//
//   end I V    table 1, the pattern end times: entry I (0..100) is V
//   t2 I V     tables 2, 3 and 4, which the demo carries along unread
//   t3 I V
//   t4 I V
//
// V is a decimal float ("10.5", "-0", "1e-45"), "inf", "-inf", or a NaN as
// its 32 bits, "nan:0x7fc00001" (sign, quiet or signalling, and payload).
// '#' starts a comment to the end of the line; blank lines are ignored; an
// entry not named is 0, as the demo reads a short file's missing bytes.
// Numbers are written and read the same way in every locale.
// Needs: sync/Sync (table sizes and the reading rules of a short file).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The comment for table 1's entry `pattern` (a scene's name); empty for none.
using TPatternComment = std::function<std::string(int pattern)>;

// All 4 x 101 entries of the track as the demo reads `bytes` (a short file's
// missing bytes are zeros, bytes past 1616 are not read), after a header
// comment saying what the text is.
std::string SncToText(const std::vector<std::uint8_t>& bytes, const TPatternComment& comment = {});

struct TSncTextError {
  int Line = 0;        // 1-based
  std::string Reason;  // "'end 7' given twice"
  std::string Message() const { return "line " + std::to_string(Line) + ": " + Reason; }
};

// Exactly 1616 bytes from the text. False, with the first bad line, for an
// unknown keyword, a bad or missing number, an index outside 0..100, an
// entry given twice or anything after the value.
bool SncFromText(std::string_view text, std::vector<std::uint8_t>& bytes, TSncTextError& error);
