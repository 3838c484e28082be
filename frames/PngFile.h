// PngFile: 8-bit RGB or RGBA pictures to and from PNG files.
// Needs: libpng.
#pragma once
#include <string>

#include "frames/FrameImage.h"

// False with the reason in `error`.
bool WritePng(const std::string& path, const TImage& image, std::string& error);
// Reads any PNG as 8-bit RGB.
bool ReadPng(const std::string& path, TImage& image, std::string& error);
