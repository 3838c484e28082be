// WriteFile: one buffered write; a half-written file is reported, not kept.
#include "tools/writers/WriteFile.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::error_code ec;
    std::filesystem::remove(p, ec);
    throw std::runtime_error("cannot write " + path);
  }
}
