// FuzzCheck: what every fuzz target needs besides its reader: a check that
// stops the run (a finding) when a reader breaks its own promise, and reads
// that make the sanitizers look at every byte a reader handed back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A broken promise is a finding like a crash.
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) __builtin_trap(); \
  } while (0)

// Reads every element, so a wrong length shows under AddressSanitizer and
// uninitialised values under the checks that follow.
template <typename T>
std::uint32_t TouchAll(const std::vector<T>& items) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(items.data());
  volatile std::uint32_t sum = 0;
  for (std::size_t i = 0; i < items.size() * sizeof(T); ++i) sum = sum + p[i];
  return sum;
}
