# Fullscreen without a window manager on screens of other shapes: the screen
# read back holds the whole frame, scaled to fit and centred, between black
# bars, and matches the frame the capture tool draws at the same time. At
# --scale native the frame is drawn at the screen's own resolution: the
# screen holds, pixel for pixel, the capture tool's frame of that size.
source "$(dirname "$0")/lib.sh"
use_generated_media "$2"
BUILD_DIR=$(readlink -f "$2")
write_snc "$WORK/data/test.snc" 0.2 60 $(seq 61 77)
cd "$WORK"
# Pattern 1 is a still picture: any moment of it is the frame at 5 s.
"$BUILD_DIR/capture" --data "$WORK" --start 5 --end 5 --still "5:$WORK/frame.png" >/dev/null ||
  fail "no still from the capture tool"
small() { ffmpeg -v error -i "$1" -vf "$2scale=200:150:flags=area" -f rawvideo -pix_fmt rgb24 -; }
small "$WORK/frame.png" "" >"$WORK/frame.rgb"

for run in 1920x1080 1024x768 1080x1920 1920x1080:native; do
  size=${run%:*} args=""
  if [ "$run" != "$size" ]; then
    # The picture scene from 0.4 s: its caption, sharp where it is drawn at
    # the screen's resolution and blurred where it is scaled up, has stopped
    # moving by 5 s.
    args="--scale native"
    write_snc "$WORK/data/test.snc" 0.2 0.4 60 $(seq 61 76)
    "$BUILD_DIR/capture" --data "$WORK" --start 5 --end 5 --size 1440x1080 --still "5:$WORK/native.png" >/dev/null ||
      fail "no 1440x1080 still from the capture tool"
    ffmpeg -v error -i "$WORK/native.png" -f rawvideo -pix_fmt rgb24 - >"$WORK/native.rgb"
  fi
  w=${size%x*} h=${size#*x}
  cat >"$WORK/run.sh" <<INNER
set -u
"$DEMO" --mute $args & pid=\$!
sleep 6
xwd -root -silent >"$WORK/screen.xwd"
kill \$pid; wait \$pid 2>/dev/null
INNER
  on_screen ${size} timeout 60 bash "$WORK/run.sh" || fail "$run: the screen was not read back"
  # The frame's place on this screen.
  read -r fw fh fx fy < <(python3 -c "
w, h = $w, $h
s = min(w / 800, h / 600)
fw, fh = round(800 * s), round(600 * s)
print(fw, fh, (w - fw) // 2, (h - fh) // 2)")
  if [ -n "$args" ]; then
    # Drawn at 1440x1080: compared at full size, not shrunk.
    ffmpeg -v error -i "$WORK/screen.xwd" -vf "crop=$fw:$fh:$fx:$fy" -f rawvideo -pix_fmt rgb24 - >"$WORK/screen.rgb"
    expected="$WORK/native.rgb" pixels=$((1440 * 1080)) limit=0.5
  else
    small "$WORK/screen.xwd" "crop=$fw:$fh:$fx:$fy," >"$WORK/screen.rgb"
    expected="$WORK/frame.rgb" pixels=$((200 * 150)) limit=4
  fi
  python3 - "$expected" "$WORK/screen.rgb" "$run" $pixels $limit <<'PY' || fail "$run: the screen does not show the frame"
import sys
a, b = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
assert len(a) == len(b) == int(sys.argv[4]) * 3, (len(a), len(b))
mean = sum(abs(x - y) for x, y in zip(a, b)) / len(a)
print('%s: mean difference %.2f per channel' % (sys.argv[3], mean))
assert mean < float(sys.argv[5]), mean
PY
  if [ "$fx" -gt 0 ] || [ "$fy" -gt 0 ]; then
    corner=$(ffmpeg -v error -i "$WORK/screen.xwd" -vf "crop=4:4:0:0" -f rawvideo -pix_fmt gray - | od -An -tu1 | tr -s ' \n' ' ')
    [ -z "$(echo "$corner" | tr -d ' 0')" ] || fail "$run: the bar is not black ($corner)"
  fi
done
echo "passed: the whole frame, scaled and centred, on three screen shapes, and drawn at a screen's own resolution"
