// PngWrite: a frame's pixels saved as a PNG file, for screenshots.
// Mechanism: stb_image_write (libstb-dev).
#pragma once
#include <cstdint>
#include <string>

// `rgba` as engine/GLQueries' ReadFramePixels gives it (bottom row first);
// written as RGB, top row first, alpha dropped (a frame's alpha means
// nothing on screen). False when the file could not be written.
bool WriteFramePng(const std::string& path, int width, int height, const std::uint8_t* rgba);
