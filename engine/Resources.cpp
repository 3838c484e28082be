#include "engine/Resources.h"

#include <strings.h>

namespace {
struct TResourceEntry {
  std::string Name, Type;
  std::vector<std::uint8_t> Bytes;
};
std::vector<TResourceEntry> Table;

TResourceEntry* Find(const std::string& name, const std::string& type) {
  for (TResourceEntry& e : Table)
    if (strcasecmp(e.Name.c_str(), name.c_str()) == 0 && strcasecmp(e.Type.c_str(), type.c_str()) == 0)
      return &e;
  return nullptr;
}
}  // namespace

void AddResource(const std::string& name, const std::string& type, std::vector<std::uint8_t> bytes) {
  if (TResourceEntry* e = Find(name, type)) {
    e->Bytes = std::move(bytes);
    return;
  }
  Table.push_back({name, type, std::move(bytes)});
}

const std::vector<std::uint8_t>* FindResource(const std::string& name, const std::string& type) {
  const TResourceEntry* e = Find(name, type);
  return e ? &e->Bytes : nullptr;
}

std::string ResourceName(const std::string& fileName) { return fileName.substr(0, fileName.find('.')); }
