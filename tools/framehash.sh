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
set -euo pipefail

usage() {
  sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//' >&2
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

case "${1:-}" in
  record) shift; record "$@" ;;
  compare) shift; compare "$@" ;;
  *) usage ;;
esac
