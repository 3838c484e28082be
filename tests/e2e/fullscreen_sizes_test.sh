# Fullscreen without a window manager on screens of other shapes: the screen
# read back holds the whole frame, scaled to fit and centred, between black
# bars, and matches the frame the capture tool draws at the same time.
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

for size in 1920x1080 1024x768 1080x1920; do
  w=${size%x*} h=${size#*x}
  cat >"$WORK/run.sh" <<INNER
set -u
"$DEMO" --mute & pid=\$!
sleep 6
xwd -root -silent >"$WORK/screen.xwd"
kill \$pid; wait \$pid 2>/dev/null
INNER
  on_screen ${size} timeout 60 bash "$WORK/run.sh" || fail "$size: the screen was not read back"
  # The frame's place on this screen.
  read -r fw fh fx fy < <(python3 -c "
w, h = $w, $h
s = min(w / 800, h / 600)
fw, fh = round(800 * s), round(600 * s)
print(fw, fh, (w - fw) // 2, (h - fh) // 2)")
  small "$WORK/screen.xwd" "crop=$fw:$fh:$fx:$fy," >"$WORK/screen.rgb"
  python3 - "$WORK/frame.rgb" "$WORK/screen.rgb" "$size" <<'PY' || fail "$size: the screen does not show the frame"
import sys
a, b = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
assert len(a) == len(b) == 200 * 150 * 3, (len(a), len(b))
mean = sum(abs(x - y) for x, y in zip(a, b)) / len(a)
print('%s: mean difference %.2f per channel' % (sys.argv[3], mean))
assert mean < 4, mean
PY
  if [ "$fx" -gt 0 ] || [ "$fy" -gt 0 ]; then
    corner=$(ffmpeg -v error -i "$WORK/screen.xwd" -vf "crop=4:4:0:0" -f rawvideo -pix_fmt gray - | od -An -tu1 | tr -s ' \n' ' ')
    [ -z "$(echo "$corner" | tr -d ' 0')" ] || fail "$size: the bar is not black ($corner)"
  fi
done
echo "passed: the whole frame, scaled and centred, on three screen shapes"
