// QRN2Brush: TQRNBrush, the meshes of one 3DS file in the file's object
// order, each given its normals on load; whole-model rotation (normals
// recomputed) and scaling (normals kept). The brush owns its meshes; a
// second load frees the meshes of the first once the new ones are read.
// Needs: QRN2_3ds (the shared loader), QRN2Meshes.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/QRN2Meshes.h"

class TQRNBrush {
 public:
  std::vector<std::unique_ptr<TMeshDataNM>> Meshes;
  std::int32_t MeshCount = 0;

  // Reads every mesh through the shared loader Loader3DS (created here if
  // absent, left in place), then frees its reader. Loader errors pass
  // through; the brush then keeps the meshes it had.
  void LoadMeshes(const std::string& fileName);
  // CreateLoader3DS, LoadMeshes, FreeLoader3DS.
  void LoadFromFile(const std::string& fileName);
  // RotateMesh (degrees, X then Y then Z) and RecalcNormals on every mesh.
  void Rotate(const TVertex& angles);
  // ScaleMesh on every mesh; the normals stay as they were.
  void Scale(const TVertex& factors);
};
