// QRN2_3ds: turns the mesh objects of a 3DS file into TMeshDataNM meshes
// through the one shared loader: CreateLoader3DS, OpenFile, GetMesh for each
// object, then the reader and the loader are freed. Positions, faces and
// texture coordinates are taken as stored: no axis swap, no scaling, no v
// flip, face flags dropped.
//
// A vertex without a mapping coordinate gets (0, 0); a face with a corner
// at or past the vertex count is left out. Errors are exceptions nothing
// here catches: "Cannot open file <name>", "Stream read error", E3DSError.
// Needs: QRN2File3DS (the reader), QRN2Meshes.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/QRN2File3DS.h"
#include "engine/QRN2Meshes.h"

class T3DSLoader {
 public:
  std::unique_ptr<TFile3DS> Reader;  // the caller frees it after the last GetMesh
  std::int32_t ObjectCount = 0;      // mesh objects in the open file

  void OpenFile(const std::string& fileName);
  // A new mesh holding mesh object i, 0 <= i < ObjectCount; normals zero.
  std::unique_ptr<TMeshDataNM> GetMesh(std::int32_t i);
};

extern std::unique_ptr<T3DSLoader> Loader3DS;

void CreateLoader3DS();
void FreeLoader3DS();
