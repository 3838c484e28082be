// Resources: the program's own embedded files, found by name and type (the
// loaders' resource mode). The demo itself reads only files and embeds
// none; whatever embeds bytes adds them at start-up.
// Needs: nothing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Adds (or replaces) the resource `name` of `type`.
void AddResource(const std::string& name, const std::string& type, std::vector<std::uint8_t> bytes);
// The bytes of a resource, or null when there is none. Names and types match
// ignoring letter case.
const std::vector<std::uint8_t>* FindResource(const std::string& name, const std::string& type);
// A file name's resource name: everything before its first "." ("stein.jpg"
// is `stein`).
std::string ResourceName(const std::string& fileName);
