// Writer3DS: builds 3DS model files from plain data, for the media generator
// and for tests. Writes the chunks the engine's 3DS loader reads:
//
//   0x4D4D root (id selectable)
//     0x0002 file version (3)
//     0x3D3D editor data
//       0x3D3E mesh version (3)
//       0x4000 named object: name, zero byte, then one of
//         0x4100 triangle mesh
//           0x4110 vertex list    u16 count, count x (x, y, z) floats
//           0x4140 mapping coords u16 count, count x (u, v) floats (optional)
//           0x4120 face list      u16 count, count x (a, b, c, flags) u16
//           0x4160 local axes     identity 4x3 matrix (optional)
//         0x4600 light            position
//         0x4700 camera           position, target, bank, lens
//
// All integers little-endian, floats IEEE single. Output depends only on the
// input. Counts above 65535 cannot be encoded and throw std::length_error.
// For malformed files (lengths below 6, past the parent or past the file,
// counts that lie) compose bytes with Chunk3DS/RawChunk3DS and the Put3DS*
// helpers; ObjectChunk3DS and EditorChunk3DS give the well-formed pieces.
// Needs: nothing but the standard library.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct T3DSPoint { float x, y, z; };
struct T3DSMapCoord { float u, v; };
struct T3DSFaceRec { std::uint16_t a, b, c, flags; };

enum class T3DSObjectKind { Mesh, Light, Camera };

struct T3DSObject {
  std::string Name;
  T3DSObjectKind Kind = T3DSObjectKind::Mesh;
  // Mesh
  std::vector<T3DSPoint> Vertices;
  std::vector<T3DSFaceRec> Faces;
  std::vector<T3DSMapCoord> MapCoords;  // written as given, even if shorter
  bool WriteMapCoords = true;           // false: no 0x4140 chunk at all
  bool WriteLocalAxes = true;           // 0x4160 identity, as 3D Studio writes
  // Light and camera
  T3DSPoint Position{0, 0, 0};
  T3DSPoint Target{0, 0, -1};  // camera only
  float Bank = 0, Lens = 50;   // camera only
};

struct T3DSModel {
  std::uint16_t RootId = 0x4D4D;  // 0xC23D and 0x3DAA are the other roots read
  std::vector<T3DSObject> Objects;
};

// The whole file.
std::vector<std::uint8_t> Write3DS(const T3DSModel& model);
// Writes Write3DS(model) to path; false when the file could not be written.
bool Write3DSFile(const std::string& path, const T3DSModel& model);

// Pieces: the 0x4000 chunk of one object, the 0x3D3D chunk of a list.
std::vector<std::uint8_t> ObjectChunk3DS(const T3DSObject& object);
std::vector<std::uint8_t> EditorChunk3DS(const std::vector<T3DSObject>& objects);

// A chunk whose length field is 6 + body size.
std::vector<std::uint8_t> Chunk3DS(std::uint16_t id, const std::vector<std::uint8_t>& body);
// A chunk whose length field is whatever is given, followed by body.
std::vector<std::uint8_t> RawChunk3DS(std::uint16_t id, std::uint32_t length,
                                      const std::vector<std::uint8_t>& body);

// Little-endian appenders for hand-made bodies.
void Put3DSU16(std::vector<std::uint8_t>& out, std::uint16_t value);
void Put3DSU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void Put3DSF32(std::vector<std::uint8_t>& out, float value);
void Put3DSName(std::vector<std::uint8_t>& out, const std::string& name);  // with its zero byte
void Put3DSBytes(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bytes);
