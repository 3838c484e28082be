// Fuzz target for the ".snc" reader and the pattern it drives: any bytes
// fill the four tables as far as they go, and the pattern then only grows
// and never leaves the table, whatever the floats (NaN and infinities too).
#include <cmath>
#include <limits>

#include "fuzz/FuzzCheck.h"
#include "sync/Sync.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TSync sync;
  sync.LoadFromBytes(data, size);
  FUZZ_CHECK(sync.Pattern == 0);
  sync.Start();
  const float inf = std::numeric_limits<float>::infinity();
  std::int32_t last = 0;
  for (float t : {-inf, -1.0f, 0.0f, 0.5f, 1.0f, 10.0f, 100.0f, 1e30f, inf, std::nanf("")}) {
    const std::int32_t p = sync.CurrentPattern(t);
    FUZZ_CHECK(p >= last && p < SyncEntries && p == sync.Pattern);
    last = p;
  }
  return 0;
}
