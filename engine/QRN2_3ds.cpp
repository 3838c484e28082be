#include "engine/QRN2_3ds.h"

std::unique_ptr<T3DSLoader> Loader3DS;

void CreateLoader3DS() { Loader3DS = std::make_unique<T3DSLoader>(); }

void FreeLoader3DS() { Loader3DS.reset(); }

void T3DSLoader::OpenFile(const std::string& fileName) {
  Reader = TFile3DS::Open(fileName);
  ObjectCount = Reader->MeshCount();
}

std::unique_ptr<TMeshDataNM> T3DSLoader::GetMesh(std::int32_t i) {
  auto mesh = std::make_unique<TMeshDataNM>();
  const TMesh3DS& source = Reader->Mesh(i);
  const std::size_t n = source.Vertices.size();
  mesh->Vertices.reserve(n);
  mesh->TexCoords.reserve(n);
  mesh->Normals.reserve(n);
  mesh->Faces.reserve(source.Faces.size());
  for (std::size_t j = 0; j < n; ++j) {
    const TTexCoord tc = j < source.TexCoords.size() ? source.TexCoords[j] : MakeTexCoord(0, 0);
    mesh->AddVertex(source.Vertices[j], tc);
  }
  for (const TFace3DS& f : source.Faces) {
    if (f.a >= n || f.b >= n || f.c >= n) continue;  // would index past the vertices
    mesh->AddFace(MakeFace(f.a, f.b, f.c));
  }
  mesh->Name = source.Name;
  return mesh;
}
