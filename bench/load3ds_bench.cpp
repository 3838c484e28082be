// Load time of 3DS models: reading the file, building the meshes and their
// normals, as a brush does at start-up. Median of several runs.
//   load3ds_bench            one object of 65,535 vertices and faces
//   load3ds_bench a.3ds ...  the given files as well
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/QRN2Brush.h"
#include "engine/QRN2File3DS.h"
#include "engine/QRN2_3ds.h"
#include "tools/writers/Writer3DS.h"

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// A wavy 255 x 257 grid: 65,535 vertices, the first 65,535 of its triangles.
T3DSModel LargestObject() {
  T3DSObject o;
  o.Name = "Largest";
  const int w = 255, h = 257;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      o.Vertices.push_back({float(i), float(std::sin(i * 0.1) * std::cos(j * 0.13) * 4), float(j)});
      o.MapCoords.push_back({i / float(w - 1), j / float(h - 1)});
    }
  for (int j = 0; j + 1 < h && o.Faces.size() < 65535; ++j)
    for (int i = 0; i + 1 < w && o.Faces.size() < 65535; ++i) {
      const auto p = std::uint16_t(j * w + i), q = std::uint16_t(p + w);
      o.Faces.push_back({p, q, std::uint16_t(q + 1), 0});
      if (o.Faces.size() < 65535) o.Faces.push_back({p, std::uint16_t(q + 1), std::uint16_t(p + 1), 0});
    }
  T3DSModel model;
  model.Objects.push_back(o);
  return model;
}

void Report(const std::string& path, int runs) {
  TQRNBrush brush;
  brush.LoadFromFile(path);
  long vertices = 0, faces = 0;
  for (const auto& m : brush.Meshes) vertices += m->VertexCount, faces += m->FaceCount;
  std::printf("%s: %d meshes, %ld vertices, %ld faces\n", path.c_str(), brush.MeshCount, vertices, faces);

  const double whole = MedianMs(runs, [&] { TQRNBrush b; b.LoadFromFile(path); });
  std::unique_ptr<TFile3DS> file;
  const double read = MedianMs(runs, [&] { file = TFile3DS::Open(path); });
  std::vector<std::unique_ptr<TMeshDataNM>> meshes;
  const double build = MedianMs(runs, [&] {
    CreateLoader3DS();
    Loader3DS->OpenFile(path);
    meshes.clear();
    for (int i = 0; i < Loader3DS->ObjectCount; ++i) meshes.push_back(Loader3DS->GetMesh(i));
    FreeLoader3DS();
  });
  const double normals = MedianMs(runs, [&] { for (auto& m : meshes) m->CalcNormals(); });
  const double check = MedianMs(runs, [&] { for (auto& m : meshes) (void)m->FacesWithin(m->VertexCount); });
  std::printf("  load (read + meshes + normals): %.2f ms median of %d\n", whole, runs);
  std::printf("  read and walk: %.2f ms, read + build meshes: %.2f ms, normals: %.2f ms\n", read, build, normals);
  std::printf("  face index check before a draw: %.3f ms\n", check);

  // The per-vertex definition costs one pass over the faces per vertex:
  // time a sample of vertices and scale up.
  if (!meshes.empty()) {
    const TMeshDataNM& m = *meshes[0];
    const int sample = std::min(m.VertexCount, 200);
    const double ms = MedianMs(3, [&] { for (int k = 0; k < sample; ++k) (void)m.VertexNormal(k); });
    std::printf("  per-vertex normals (vertices x faces) estimated: %.0f ms for mesh 0\n",
                ms / std::max(sample, 1) * m.VertexCount);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = 9;
  const auto path = std::filesystem::temp_directory_path() / "bench_largest.3ds";
  if (!Write3DSFile(path.string(), LargestObject())) return 1;
  Report(path.string(), runs);
  std::filesystem::remove(path);
  for (int i = 1; i < argc; ++i) Report(argv[i], runs);
  return 0;
}
