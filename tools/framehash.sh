#!/usr/bin/env bash
# Per-frame hashes of the whole demo: a change that should leave every pixel
# as it was is checked by recording the hashes before and after it.
#
#   tools/framehash.sh record BUILD OUT [--fps N] [--data DIR]
#       captures the whole demo losslessly (FFV1) with BUILD/capture on the
#       fixed clock and writes ffmpeg's framemd5 of its frames to OUT;
#       the media are BUILD/data unless --data names another folder
#   tools/framehash.sh compare A B
#       counts the frames whose hashes differ; exit status 1 when any do
#   tools/framehash.sh key BUILD
#       what this machine's pixels depend on: GL renderer, Mesa, CPU features
#   tools/framehash.sh reference BUILD
#       rewrites tests/e2e/framehash.ref (the key, then the hashes at 2 fps),
#       which e2e.whole_demo_test compares with, for a change meant to alter
#       pixels
set -euo pipefail
REFERENCE_FPS=2

usage() {
  sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

record() {
  [ $# -ge 2 ] || usage
  local build out fps=30 data=""
  build=$(cd "$1" && pwd)
  out=$2
  shift 2
  while [ $# -gt 0 ]; do
    case "$1" in
      --fps) fps=$2; shift 2 ;;
      --data) data=$(cd "$2" && pwd); shift 2 ;;
      *) usage ;;
    esac
  done
  [ -n "$data" ] || data=$build
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  "$build/capture" --data "$data" --fps "$fps" --codec ffv1 --video "$tmp/demo.mkv"
  ffmpeg -hide_banner -nostdin -loglevel error -i "$tmp/demo.mkv" -map 0:v -f framemd5 "$tmp/hashes"
  # Only the frame lines: the header names the ffmpeg build.
  grep -v '^#' "$tmp/hashes" >"$out"
  echo "$(wc -l <"$out") frames hashed into $out"
}

compare() {
  [ $# -eq 2 ] || usage
  local a=$1 b=$2
  # Fields: stream, dts, pts, duration, size, hash.
  awk -F', *' '
    /^#/ { next }
    NR == FNR { hash[$3] = $6; next }
    { seen[$3] = 1
      if (!($3 in hash)) { extra++; next }
      if (hash[$3] != $6) { if (differ < 5) first = first " " $3; differ++ } }
    END {
      for (p in hash) if (!(p in seen)) missing++
      printf "%d frames differ, %d only in the first, %d only in the second\n", differ, missing, extra
      if (differ) printf "first differing frames:%s\n", first
      exit (differ || missing || extra) ? 1 : 0
    }' "$a" "$b"
}

# llvmpipe compiles its shading for the CPU it runs on: the renderer string
# (LLVM's version, the vector width), the Mesa build and the vector features
# that change the code it emits decide the pixels.
key() {
  [ $# -eq 1 ] || usage
  local build renderer
  build=$(cd "$1" && pwd)
  renderer=$("$build/scenes_bench" --data "$build" --frames 1 --scene opening 2>/dev/null |
    sed -n 's/^Renderer: \(.*\), [0-9]* frames per scene.*/\1/p') || true
  echo "# renderer: ${renderer:-unknown}"
  # Mesa's own release: the distribution's patches rarely touch llvmpipe.
  local mesa
  mesa=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null | sed 's/-[^-]*$//') || true
  echo "# mesa: ${mesa:-unknown}"
  local flags
  flags=" $(grep -m1 '^flags' /proc/cpuinfo | cut -d: -f2) "
  echo "# cpu:$(for f in avx avx2 fma f16c avx512f; do [[ $flags == *" $f "* ]] && printf ' %s' "$f"; done)"
}

reference() {
  [ $# -eq 1 ] || usage
  local ref hashes
  ref="$(cd "$(dirname "$0")/.." && pwd)/tests/e2e/framehash.ref"
  hashes=$(mktemp)
  # A run with GL errors is no reference.
  DEMO_GL_CHECK=1 record "$1" "$hashes" --fps "$REFERENCE_FPS"
  { key "$1"; cat "$hashes"; } >"$ref"
  rm -f "$hashes"
  echo "wrote $ref"
}

case "${1:-}" in
  record) shift; record "$@" ;;
  compare) shift; compare "$@" ;;
  key) shift; key "$@" ;;
  reference) shift; reference "$@" ;;
  *) usage ;;
esac
