#include "scenes/SceneModels.h"

#include "engine/QRN2Brush.h"
#include "engine/QRN2Draw.h"
#include "platform/Message.h"

bool CheckMeshCount(const TQRNBrush& brush, std::int32_t needed, const std::string& fileName) {
  if (brush.MeshCount >= needed) return true;
  ShowMessage("Error", "Too few meshes in " + fileName + ": " + std::to_string(needed) + " needed, " +
                           std::to_string(brush.MeshCount) + " found");
  return false;
}

bool HasMesh(const TQRNBrush* brush, std::int32_t index) {
  return brush && index >= 0 && index < brush->MeshCount && index < static_cast<std::int32_t>(brush->Meshes.size());
}

bool IsSolidMesh(const TQRNBrush* brush, std::int32_t index) {
  return HasMesh(brush, index) && EnclosesVolume(*brush->Meshes[index]);
}

TCullBackFaces::TCullBackFaces(bool solid) : On(solid) {
  if (On) SetFaceCulling(true);
}

TCullBackFaces::~TCullBackFaces() {
  if (On) SetFaceCulling(false);
}
