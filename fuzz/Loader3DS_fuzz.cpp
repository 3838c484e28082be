// Fuzz target for the 3DS loader as the brushes drive it: every mesh object
// becomes a mesh whose arrays match its counts and whose faces stay inside
// its vertices, and its normals are computed, whatever the file holds.
#include "engine/QRN2_3ds.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  T3DSLoader loader;
  try {
    loader.Reader = std::make_unique<TFile3DS>(std::vector<std::uint8_t>(data, data + size));
    loader.ObjectCount = loader.Reader->MeshCount();
    for (std::int32_t i = 0; i < loader.ObjectCount; ++i) {
      std::unique_ptr<TMeshDataNM> mesh = loader.GetMesh(i);
      mesh->CalcNormals();
      const auto n = static_cast<std::size_t>(mesh->VertexCount);
      FUZZ_CHECK(mesh->Vertices.size() == n && mesh->TexCoords.size() == n && mesh->Normals.size() == n);
      FUZZ_CHECK(mesh->Faces.size() == static_cast<std::size_t>(mesh->FaceCount));
      FUZZ_CHECK(mesh->FacesWithin(mesh->VertexCount));
      TouchAll(mesh->Normals);
      TouchAll(mesh->TexCoords);
    }
  } catch (const EInOutError&) {
  }
  return 0;
}
