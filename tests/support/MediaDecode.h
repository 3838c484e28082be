// Independent decoders for checking generated media in tests: TGA types 2 and
// 10 (24/32 bits), JPEG through libjpeg, and a 3DS chunk walk that collects
// the mesh objects. Kept apart from the engine's readers on purpose, so the
// writers are checked against a second reading of the formats.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Little-endian fields at byte `at` (the caller checks the bounds).
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at);
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at);
float F32(const std::vector<std::uint8_t>& b, std::size_t at);

struct TDecodedImage {
  int Width = 0, Height = 0, Channels = 0;  // 3 or 4
  std::vector<std::uint8_t> Pixels;         // top row first, RGB(A)
  int TgaType = 0;                          // 2 or 10 for TGA files
};

// False with `error` set when the bytes are not a TGA the demo accepts.
bool DecodeTga(const std::vector<std::uint8_t>& bytes, TDecodedImage& image, std::string& error);
bool DecodeJpeg(const std::vector<std::uint8_t>& bytes, TDecodedImage& image, std::string& error);

struct TParsedMesh {
  std::string Name;
  std::vector<float> Vertices;  // x, y, z triples
  std::vector<float> MapCoords; // u, v pairs
  std::vector<std::uint16_t> Faces;  // a, b, c triples (flags dropped)
};

struct TParsed3DS {
  std::vector<std::string> ObjectNames;  // every named object, in file order
  std::vector<bool> ObjectIsMesh;
  std::vector<TParsedMesh> Meshes;       // mesh objects only
};

bool Parse3DS(const std::vector<std::uint8_t>& bytes, TParsed3DS& model, std::string& error);
