// Damaged copies of the demo's media for the bad-media runs: each file of
// data/ missing, empty, cut short, with bits flipped (always the same bits)
// or with a header claiming a huge picture or a huge list; and what the
// demo must then say, worked out from the file's bytes by its reader.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using TMediaBytes = std::vector<std::uint8_t>;
using TMediaMessage = std::pair<std::string, std::string>;  // caption, text

// The 22 files of data/, "/" between folders.
const std::vector<std::string>& DemoMediaFiles();

// Damage kinds that make sense for a file ("missing", "empty", "cut-17",
// "cut-half", "cut-last", "flip-header", "flip-1", "flip-2", then by kind
// "huge-65535", "huge-8192", "huge-vertices", "huge-faces", "padded",
// "garbage").
std::vector<std::string> DamageKinds(const std::string& file);
// True for the kinds no reader may accept (what is left is not a whole file).
bool DamageIsFatal(const std::string& kind);
// The damaged bytes; nullopt for "missing".
std::optional<TMediaBytes> Damage(const std::string& file, const std::string& kind, const TMediaBytes& good);

// What the demo does with a file's bytes (nullopt: missing), as its reader
// decides: the start-up error that ends the program ("Stop"), or the
// messages shown, in order, with the demo going on.
struct TMediaVerdict {
  std::optional<std::string> Stop;
  std::vector<TMediaMessage> Messages;
  bool Accepted() const { return !Stop && Messages.empty(); }
};
TMediaVerdict ExpectedVerdict(const std::string& file, const std::optional<TMediaBytes>& bytes);
