# Fullscreen on an X server without a window manager (1280x1024): the window
# takes the whole screen and the frame is shown whole, scaled to 1280x960
# between two black bands of 32 rows, by both presentations.
source "$(dirname "$0")/lib.sh"
use_generated_media "$2"
write_snc "$WORK/data/test.snc" 0.2 60 $(seq 61 77)
cd "$WORK"
cat >"$WORK/run.sh" <<INNER
set -u
for present in x11 gl; do
  DEMO_PRESENT=\$present "$DEMO" & pid=\$!
  sleep 8  # into the still of pattern 1
  xwd -root -silent >"$WORK/\$present.xwd"
  kill \$pid; wait \$pid 2>/dev/null
done
INNER
on_screen 1280x1024 timeout 90 bash "$WORK/run.sh" || fail "the screens were not read back"
for present in x11 gl; do
  python3 - "$WORK/$present.xwd" <<'PY' || fail "$present: the frame is not shown whole"
import struct, sys
raw = open(sys.argv[1], 'rb').read()
header = struct.unpack_from('>25I', raw)
size, width, height, bpl, ncolors = header[0], header[4], header[5], header[12], header[19]
start = size + 12 * ncolors
def row_mean(y):
    r = raw[start + y * bpl: start + y * bpl + 4 * width]
    return sum(r[i] + r[i + 1] + r[i + 2] for i in range(0, len(r), 4)) / (3 * width)
assert (width, height) == (1280, 1024)
assert row_mean(10) == 0 and row_mean(1013) == 0, 'the bands are not black'
# A window left at 800x600 shows nothing below row 600 (or above 424).
for y in (40, 300, 700, 850):
    assert row_mean(y) > 5, 'row %d of the picture is black' % y
PY
done
echo "passed: the whole frame on a server without a window manager"
