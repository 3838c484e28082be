#!/usr/bin/env bash
# Builds the fuzz targets (clang-14, ASan+UBSan, build-fuzz/) and runs each
# in turn, one at a time. Any crash, sanitizer report, leak, timeout or
# memory blow-up is a finding: the input is kept in build-fuzz/findings/
# and the exit status is non-zero.
#   tools/fuzz.sh [--time SECONDS | --runs N] [TARGET...]
# Default: 60 seconds per target, every target. New inputs that reach new
# code are kept in build-fuzz/corpus/ for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time=60)
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --time) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    -*) echo "usage: tools/fuzz.sh [--time SECONDS | --runs N] [TARGET...]" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done

# Target, its seed folder, the longest input tried (short inputs keep the
# rate up; every reader's structure fits in them).
table="Sync sync 2048
BMPDecoder bmp 4096
TGADecoder tga 4096
JPGDecoder jpg 4096
File3DS 3ds 4096
Loader3DS 3ds 4096"
[ ${#targets[@]} -eq 0 ] && mapfile -t targets < <(cut -d' ' -f1 <<<"$table")

build=build-fuzz
sym=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -x "$sym" ] && export ASAN_SYMBOLIZER_PATH=$sym
cmake -S . -B "$build" -DDEMO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2 --target fuzz >/dev/null

# Seeds from our writers, and from the generated media when they are there.
rm -rf "$build/seeds"
data=${DEMO_MEDIA_DIR:-build/data}
if [ -f "$data/test.snc" ]; then "$build/fuzz_seeds" "$build/seeds" "$data"; else "$build/fuzz_seeds" "$build/seeds"; fi
mkdir -p "$build/findings"

failed=0
for t in "${targets[@]}"; do
  row=$(grep "^$t " <<<"$table") || { echo "no such fuzz target: $t" >&2; exit 2; }
  read -r _ seeds maxlen <<<"$row"
  mkdir -p "$build/corpus/$t"
  log="$build/findings/$t.log"
  if nice -n 19 "$build/${t}_fuzz" "${limit[@]}" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
      "$build/corpus/$t" "$build/seeds/$seeds" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    secs=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o 'in [0-9]*' | grep -o '[0-9]*' || true)
    echo "fuzz $t: ${runs:-?} runs in ${secs:-?} s, no finding"
  else
    echo "fuzz $t: FINDING (log $log)" >&2
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" >&2 || tail -20 "$log" >&2
    failed=1
  fi
done
exit $failed
