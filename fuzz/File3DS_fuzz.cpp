// Fuzz target for the 3DS chunk reader: any bytes either give mesh objects
// whose lists hold what their counts say, or a file error ("Stream read
// error", E3DSError), never a read outside the bytes.
#include "engine/QRN2File3DS.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    TFile3DS file(std::vector<std::uint8_t>(data, data + size));
    FUZZ_CHECK(file.MeshCount() >= 0);
    for (std::int32_t i = 0; i < file.MeshCount(); ++i) {
      const TMesh3DS& mesh = file.Mesh(i);
      FUZZ_CHECK(&file.Mesh(i) == &mesh);  // parsed once, then served from memory
      FUZZ_CHECK(mesh.Vertices.size() <= 65535 && mesh.TexCoords.size() <= 65535 && mesh.Faces.size() <= 65535);
      FUZZ_CHECK(mesh.Name.size() < size);
      TouchAll(mesh.Vertices);
      TouchAll(mesh.TexCoords);
      TouchAll(mesh.Faces);
    }
  } catch (const EInOutError&) {
  }
  return 0;
}
