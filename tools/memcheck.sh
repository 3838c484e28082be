#!/usr/bin/env bash
# Plays the real demo under valgrind memcheck, in a window under Xvfb, on the
# generated media with the sync track's pattern ends scaled so that every
# scene shows within SECONDS of demo time. Fails on any memcheck error (an
# invalid read or write, a jump on uninitialised memory, a bad free, memory
# lost for good) outside the system libraries of tools/valgrind.supp.
#   tools/memcheck.sh [SECONDS] [BUILD_DIR]      defaults: 20, build
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-20}
build=$(readlink -f "${2:-build}")
[ -x "$build/demo" ] && [ -f "$build/data/test.snc" ] || { echo "build the demo first (tools/build.sh)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/data" "$work/data"
python3 - "$work/data/test.snc" "$seconds" <<'PY'
import struct, sys
raw = bytearray(open(sys.argv[1], 'rb').read())
ends = struct.unpack_from('<19f', raw)
scale = float(sys.argv[2]) / ends[18]
struct.pack_into('<19f', raw, 0, *(e * scale for e in ends))
open(sys.argv[1], 'wb').write(raw)
PY

cd "$work"
export SDL_AUDIODRIVER=dummy DEMO_MESSAGES=stderr
# llvmpipe writes the shaders it compiles into fresh memory: valgrind must
# look for code it has not seen there.
status=0
timeout 900 xvfb-run -a -s "-screen 0 1024x768x24" \
  valgrind --tool=memcheck --error-exitcode=99 --smc-check=all-non-file \
    --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --suppressions="$root/tools/valgrind.supp" --num-callers=30 --keep-debuginfo=yes \
    --log-file="$work/memcheck.log" "$build/demo" >"$work/out.txt" 2>&1 || status=$?
cat "$work/out.txt"
grep -E 'ERROR SUMMARY|definitely lost|Invalid|uninitialised' "$work/memcheck.log" || true
if [ "$status" -ne 0 ]; then
  echo "memcheck: the demo ended with status $status; valgrind's log:" >&2
  cat "$work/memcheck.log" >&2
  exit 1
fi
echo "memcheck: the demo played ${seconds} s of scaled sync track to its end, no error"
