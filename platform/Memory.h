// Memory: the heap made ready for start-up's big allocations. On virtual
// machines the first touch of a page can cost some 10 µs (measured on our CI
// machines), and start-up's pictures, textures and buffers are tens of
// megabytes: tens of milliseconds of page faults before the first frame.
// Touching the heap in one call costs a fifteenth of that, and the pages
// stay with the heap for what start-up allocates and frees.
// Mechanism: glibc's mallopt; madvise(MADV_POPULATE_WRITE) (Linux 5.14; on
// older kernels the pages fault in as they would have).
#pragma once
#include <cstddef>

// Call before any other thread starts: every thread then allocates from the
// one heap, blocks up to 8 MiB come from it rather than from fresh mappings,
// and freed memory stays in it.
void PrefaultHeap(std::size_t bytes);
