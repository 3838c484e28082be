// SncWriter: every float goes out little-endian whatever the host's order.
#include "tools/writers/SncWriter.h"

#include <cstring>
#include <stdexcept>

#include "sync/Sync.h"
#include "tools/writers/WriteFile.h"

namespace {

void PutTable(std::uint8_t* out, const std::vector<float>& table) {
  if (table.size() > static_cast<std::size_t>(SyncEntries)) throw std::invalid_argument("sync table longer than 101");
  for (std::size_t i = 0; i < table.size(); ++i) {
    std::uint32_t bits;
    std::memcpy(&bits, &table[i], 4);
    for (int k = 0; k < 4; ++k) out[4 * i + k] = static_cast<std::uint8_t>(bits >> (8 * k));
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeSnc(const TSncTables& tables) {
  std::vector<std::uint8_t> out(SyncFileSize, 0);
  constexpr std::size_t tableBytes = SyncEntries * 4;
  PutTable(out.data(), tables.PatternEnds);
  for (std::size_t t = 0; t < 3; ++t) PutTable(out.data() + (t + 1) * tableBytes, tables.Extra[t]);
  return out;
}

void WriteSnc(const std::string& path, const TSncTables& tables) { WriteFileBytes(path, EncodeSnc(tables)); }
