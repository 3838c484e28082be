// ContactSheet: one PNG with every picture and overlay of a data directory
// (overlays on a checkerboard so their alpha shows), views of the models and
// a waveform of the music with the pattern boundaries marked.
#pragma once
#include <string>

// Throws std::runtime_error when a file can't be read or the PNG written.
void WriteContactSheet(const std::string& dataDir, const std::string& pngPath);
