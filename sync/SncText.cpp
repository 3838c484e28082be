// SncText: the track's floats as shortest round-tripping decimals, NaNs as
// their bits; every line checked before a byte is built.
#include "sync/SncText.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sync/Sync.h"

namespace {
constexpr int TableCount = 4;
constexpr const char* Keywords[TableCount] = {"end", "t2", "t3", "t4"};

// snprintf and strtof follow LC_NUMERIC ("10,5" in some locales): this
// thread uses the "C" conventions while the object lives.
class TCNumbers {
 public:
  TCNumbers() : C(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))) {
    if (C) Previous = uselocale(C);
  }
  ~TCNumbers() {
    if (!C) return;
    uselocale(Previous);
    freelocale(C);
  }
  TCNumbers(const TCNumbers&) = delete;
  TCNumbers& operator=(const TCNumbers&) = delete;

 private:
  locale_t C;
  locale_t Previous = static_cast<locale_t>(0);
};

float FloatOf(std::uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

std::uint32_t BitsOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

constexpr const char* HexDigits = "0123456789abcdef";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Plain decimal notation only: strtof alone would also take hex floats,
// "infinity", "nan(...)" and leading blanks.
bool IsDecimal(std::string_view s) {
  std::size_t i = 0, digits = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t exponentStart = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    if (i == exponentStart) return false;
  }
  return i == s.size();
}

// The 32 bits a value token stands for; else false with the reason.
bool ParseValue(std::string_view token, std::uint32_t& bits, std::string& reason) {
  if (token == "inf" || token == "+inf" || token == "-inf") {
    bits = token[0] == '-' ? 0xFF800000u : 0x7F800000u;
    return true;
  }
  const std::string text(token);
  if (token.substr(0, 6) == "nan:0x") {
    const std::string_view hex = token.substr(6);
    std::uint32_t value = 0;
    bool ok = !hex.empty() && hex.size() <= 8;
    for (char c : hex) {
      const char lower = c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c;
      const char* digit = std::strchr(HexDigits, lower);
      ok = ok && c != '\0' && digit;
      value = value << 4 | static_cast<std::uint32_t>(digit ? digit - HexDigits : 0);
    }
    if (!ok) {
      reason = "bad NaN '" + text + "' (nan:0x and up to 8 hex digits)";
      return false;
    }
    if (!std::isnan(FloatOf(value))) {
      reason = "'" + text + "' is not a NaN";
      return false;
    }
    bits = value;
    return true;
  }
  if (!IsDecimal(token)) {
    reason = "bad number '" + text + "'";
    return false;
  }
  errno = 0;
  const float value = std::strtof(text.c_str(), nullptr);
  // ERANGE also reports a subnormal or a value rounded to zero: only an
  // overflow is refused.
  if (errno == ERANGE && std::isinf(value)) {
    reason = "'" + text + "' is too large for a float";
    return false;
  }
  bits = BitsOf(value);
  return true;
}

std::string FormatValue(std::uint32_t bits) {
  const float value = FloatOf(bits);
  char s[32];
  if (std::isnan(value)) {
    std::snprintf(s, sizeof s, "nan:0x%08" PRIx32, bits);
    return s;
  }
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The fewest significant digits that read back to the same bits (nine
  // always do), but "100" rather than "1e+02" where more digits give it.
  std::string shortest;
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(s, sizeof s, "%.*g", digits, static_cast<double>(value));
    std::uint32_t back;
    std::string reason;
    if (!ParseValue(s, back, reason) || back != bits) continue;
    if (shortest.empty()) shortest = s;
    if (!std::strchr(s, 'e')) return s;
    if (std::fabs(value) < 1) break;
  }
  return shortest;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

// 0..100 from a token of digits; -1 for anything else.
int ParseIndex(std::string_view token) {
  if (token.empty()) return -1;
  int value = 0;
  for (char c : token) {
    if (!IsDigit(c)) return -1;
    value = std::min(value * 10 + (c - '0'), 1000);
  }
  return value < SyncEntries ? value : -1;
}
}  // namespace

std::string SncToText(const std::vector<std::uint8_t>& bytes, const TPatternComment& comment) {
  const TCNumbers cNumbers;
  TSync track;
  track.LoadFromBytes(bytes.data(), bytes.size());
  const float* tables[TableCount] = {track.PatternEnds, track.ExtraTables[0], track.ExtraTables[1],
                                     track.ExtraTables[2]};

  std::string text =
      "# .snc sync track as text: \"end P T\" = pattern P ends at demo time T s (the first 0 ends the list)\n";
  if (bytes.size() < static_cast<std::size_t>(SyncFileSize))
    text += "# read from " + std::to_string(bytes.size()) + " bytes as the demo reads them: the missing bytes are 0\n";
  else if (bytes.size() > static_cast<std::size_t>(SyncFileSize))
    text += "# read from " + std::to_string(bytes.size()) + " bytes: the demo reads only the first " +
            std::to_string(SyncFileSize) + "\n";
  for (int t = 0; t < TableCount; ++t) {
    if (t == 1) text += "\n# tables 2 to 4: carried along by the demo, unread\n";
    for (int i = 0; i < SyncEntries; ++i) {
      // Copied as bits, never loaded as a float: an x87 load would quiet a
      // signalling NaN.
      std::uint32_t bits;
      std::memcpy(&bits, &tables[t][i], 4);
      std::string line = std::string(Keywords[t]) + " " + std::to_string(i) + " " + FormatValue(bits);
      const std::string note = t == 0 && comment ? OneLine(comment(i)) : std::string();
      if (!note.empty()) line += std::string(line.size() < 18 ? 18 - line.size() : 2, ' ') + "# " + note;
      text += line + "\n";
    }
  }
  return text;
}

bool SncFromText(std::string_view text, std::vector<std::uint8_t>& bytes, TSncTextError& error) {
  const TCNumbers cNumbers;
  std::vector<std::uint8_t> built(SyncFileSize, 0);
  std::array<int, TableCount * SyncEntries> givenOnLine{};
  int lineNumber = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    line = line.substr(0, line.find('#'));
    const std::vector<std::string_view> tokens = Tokens(line);
    if (tokens.empty()) continue;

    auto fail = [&](std::string reason) {
      error.Line = lineNumber;
      error.Reason = std::move(reason);
      return false;
    };
    int table = 0;
    while (table < TableCount && tokens[0] != Keywords[table]) ++table;
    if (table == TableCount) return fail("unknown keyword '" + std::string(tokens[0]) + "' (end, t2, t3, t4)");
    if (tokens.size() < 2) return fail("'" + std::string(tokens[0]) + "' needs an index and a value");
    const int index = ParseIndex(tokens[1]);
    if (index < 0) return fail("index '" + std::string(tokens[1]) + "' is not one of 0..100");
    const std::string entry = std::string(Keywords[table]) + " " + std::to_string(index);
    if (tokens.size() < 3) return fail("'" + entry + "' needs a value");
    std::uint32_t bits;
    std::string reason;
    if (!ParseValue(tokens[2], bits, reason)) return fail(reason + " for '" + entry + "'");
    if (tokens.size() > 3)
      return fail("unexpected '" + std::string(tokens[3]) + "' after '" + entry + " " + std::string(tokens[2]) + "'");
    int& given = givenOnLine[static_cast<std::size_t>(table * SyncEntries + index)];
    if (given) return fail("'" + entry + "' given twice (first on line " + std::to_string(given) + ")");
    given = lineNumber;

    std::uint8_t* out = &built[static_cast<std::size_t>(table * SyncEntries + index) * 4];
    for (int k = 0; k < 4; ++k) out[k] = static_cast<std::uint8_t>(bits >> (8 * k));
  }
  bytes = std::move(built);
  return true;
}
