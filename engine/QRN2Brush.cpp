#include "engine/QRN2Brush.h"

#include <utility>

#include "engine/QRN2_3ds.h"

void TQRNBrush::LoadMeshes(const std::string& fileName) {
  if (!Loader3DS) CreateLoader3DS();
  Loader3DS->OpenFile(fileName);
  std::vector<std::unique_ptr<TMeshDataNM>> meshes;
  meshes.reserve(Loader3DS->ObjectCount);
  for (std::int32_t i = 0; i < Loader3DS->ObjectCount; ++i) {
    meshes.push_back(Loader3DS->GetMesh(i));
    meshes.back()->CalcNormals();
  }
  Loader3DS->Reader.reset();
  Meshes = std::move(meshes);
  MeshCount = static_cast<std::int32_t>(Meshes.size());
}

void TQRNBrush::LoadFromFile(const std::string& fileName) {
  CreateLoader3DS();
  LoadMeshes(fileName);
  FreeLoader3DS();
}

void TQRNBrush::Rotate(const TVertex& angles) {
  const TVertex w = angles;
  for (auto& mesh : Meshes) {
    RotateMesh(*mesh, w);
    mesh->RecalcNormals();
  }
}

void TQRNBrush::Scale(const TVertex& factors) {
  const TVertex s = factors;
  for (auto& mesh : Meshes) ScaleMesh(*mesh, s);
}
