#!/usr/bin/env bash
# Builds everything and runs every test, in three rounds:
#   1. the plain build (build/, tools/build.sh) and all its tests;
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/); any report fails the test that made it; then the whole
#      demo captured at 5 frames per second under both, and 20 s of the
#      real demo under valgrind memcheck (tools/memcheck.sh);
#   3. every fuzz target for FUZZ_SECONDS (default 60) each (build-fuzz/,
#      clang); 0 skips this round.
# Extra arguments go to both ctest runs. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

echo "== plain build and tests"
bash tools/build.sh
(cd build && ctest --output-on-failure -j"$jobs" "$@")

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(
  # The build runs the media generator, so its leaks count too.
  export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1"
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEMO_SANITIZE=ON >/dev/null
  cmake --build build-asan -j"$jobs"
  cd build-asan
  ctest --output-on-failure -j"$jobs" "$@"

  echo "== the whole demo under the sanitizers: captured at 5 frames per second"
  ./capture --fps 5 --size 160x120 --codec ffv1 --video whole-demo.mkv
)

echo "== a short run of the real demo under valgrind memcheck"
bash tools/memcheck.sh 20

seconds=${FUZZ_SECONDS:-60}
if [ "$seconds" != 0 ]; then
  echo "== fuzz targets, $seconds s each"
  bash tools/fuzz.sh --time "$seconds"
fi
