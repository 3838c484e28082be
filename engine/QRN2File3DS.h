// QRN2File3DS: the 3DS chunk reader. Walks the chunk tree of a whole file
// held in memory, finds the mesh objects of the editor section in file
// order, and parses a mesh object's vertex, mapping and face lists on first
// request. Works on bytes alone (no GL), never reading outside them.
//
// Chunks the walk descends into: the roots 0x4D4D, 0xC23D, 0x3DAA, the
// editor 0x3D3D, named objects 0x4000 (after the name), triangle meshes
// 0x4100 and face lists 0x4120 (after the faces). Any other chunk is a leaf.
// A chunk shorter than its 6-byte header, one that runs past its parent or
// past the file, and a list longer than its chunk are "Stream read error".
// Needs: QRN2Classes, platform/Files (file reading, EInOutError).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/QRN2Classes.h"
#include "platform/Files.h"

// Errors of the 3DS database; a kind of file error, so main() shows them.
struct E3DSError : EInOutError {
  using EInOutError::EInOutError;
};

extern const char* const Error3DSWrongDatabase;
extern const char* const Error3DSWrongObjectType;
extern const char* const Error3DSNoMemory;

struct TFace3DS {
  std::uint16_t a, b, c, flags;
};

// One mesh object as stored: the last vertex, mapping and face lists of the
// object's first direct triangle-mesh chunk (empty where a list is missing).
struct TMesh3DS {
  std::string Name;
  TVertexArray Vertices;
  TTexCoordArray TexCoords;
  std::vector<TFace3DS> Faces;
};

class TFile3DS {
 public:
  // Walks the whole tree. A root other than 0x4D4D, 0xC23D or 0x3DAA gives
  // a file without mesh objects and no error.
  explicit TFile3DS(std::vector<std::uint8_t> bytes);
  // Reads the named file; EInOutError "Cannot open file <name>" if it can't.
  static std::unique_ptr<TFile3DS> Open(const std::string& fileName);

  std::int32_t MeshCount() const { return static_cast<std::int32_t>(MeshObjects.size()); }
  // Mesh object i (0 <= i < MeshCount), parsed once and kept.
  const TMesh3DS& Mesh(std::int32_t i);

 private:
  struct TChunk {
    std::uint16_t Id;
    std::uint32_t Start, End;      // header start, one past the last byte
    std::int32_t FirstChild = -1;  // indices into Chunks
    std::int32_t Next = -1;
  };

  void Walk();
  std::uint32_t ChildrenStart(const TChunk& chunk) const;
  std::int32_t FindFirst(std::int32_t from, std::uint16_t id) const;
  TMesh3DS ReadMesh(std::int32_t object) const;

  std::vector<std::uint8_t> Bytes;
  std::vector<TChunk> Chunks;
  std::vector<std::int32_t> MeshObjects;  // their 0x4000 chunks
  std::vector<std::unique_ptr<TMesh3DS>> Parsed;
  bool WrongDatabase = false;
};
