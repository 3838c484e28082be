# Two captures of the same range hold the same frames, and a still is the
# video's frame at its time, bit for bit. With generated media in the build
# directory, the real scenes are checked too.
source "$(dirname "$0")/lib.sh"
CAPTURE="$(readlink -f "$2")/capture"
BUILD_DIR=$(readlink -f "$2")
write_snc "$WORK/data/test.snc" $(seq 0.2 0.2 3.8)

hashes() { ffmpeg -v error -i "$1" -map 0:v -f framemd5 - | grep -v '^#'; }
compare_runs() {  # DATA_DIR END
  for run in a b; do
    "$CAPTURE" --data "$1" --fps 10 --start 0.5 --end "$2" --codec ffv1 --video "$WORK/$run.mkv" \
      --still "1.25:$WORK/$run.png" >/dev/null || fail "capture $run of $1 failed"
  done
  [ "$(hashes "$WORK/a.mkv" | wc -l)" -ge 10 ] || fail "too few frames from $1"
  [ "$(hashes "$WORK/a.mkv")" = "$(hashes "$WORK/b.mkv")" ] || fail "two captures of $1 differ"
  cmp -s "$WORK/a.png" "$WORK/b.png" || fail "two stills of $1 differ"
  # The still at 1.25 s is frame 12, the video's frame 7.
  still=$(ffmpeg -v error -i "$WORK/a.png" -f rawvideo -pix_fmt rgb24 - | md5sum)
  frame=$(ffmpeg -v error -i "$WORK/a.mkv" -vf 'select=eq(n\,7)' -frames:v 1 -f rawvideo -pix_fmt rgb24 - | md5sum)
  [ "$still" = "$frame" ] || fail "the still of $1 is not the video's frame at its time"
}

compare_runs "$WORK" 3.0
if [ -f "$BUILD_DIR/data/test.snc" ]; then
  compare_runs "$BUILD_DIR" 4.0
  echo "checked the generated media too"
fi
echo "passed: captures are deterministic"
