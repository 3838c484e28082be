// Fuzz target for the 3DS chunk reader: any bytes either give mesh objects
// or a file error, never a read outside the bytes. Build and run:
//   clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//     fuzz/File3DS_fuzz.cpp engine/QRN2File3DS.cpp engine/QRN2Classes.cpp \
//     platform/Files.cpp -o fuzz_3ds && ./fuzz_3ds -max_len=4096
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/QRN2File3DS.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    TFile3DS file(std::vector<std::uint8_t>(data, data + size));
    for (std::int32_t i = 0; i < file.MeshCount(); ++i) {
      const TMesh3DS& mesh = file.Mesh(i);
      // Touch every element so a wrong length shows under the sanitizers.
      volatile float sum = 0;
      for (const TVertex& v : mesh.Vertices) sum = sum + v.x;
      for (const TTexCoord& t : mesh.TexCoords) sum = sum + t.u;
      for (const TFace3DS& f : mesh.Faces) sum = sum + f.flags;
      (void)mesh.Name.size();
    }
  } catch (const EInOutError&) {
  }
  return 0;
}
