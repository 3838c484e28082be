// WriteFile: writes a whole byte buffer to a file, making its folder first.
// Shared by the writers and the media generator.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Throws std::runtime_error when the file can't be written.
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
