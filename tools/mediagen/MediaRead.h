// MediaRead: reads the generated files back for the contact sheet: JPEG and
// 32-bit TGA through the engine's decoders, the MP3 through LAME's decoder,
// and the mesh objects of a 3DS file.
#pragma once
#include <string>
#include <vector>

#include "tools/mediagen/Canvas.h"
#include "tools/mediagen/Synth.h"

// Each throws std::runtime_error naming the file when it can't be read.
TRgbImage ReadJpeg(const std::string& path);
TRgbaImage ReadTga(const std::string& path);
TBus ReadMp3(const std::string& path);

struct TReadMesh {
  std::string Name;
  std::vector<float> Vertices;  // x, y, z
  std::vector<int> Faces;       // a, b, c
};
std::vector<TReadMesh> Read3DSMeshes(const std::string& path);
