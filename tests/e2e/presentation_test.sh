# The real program fullscreen on a 1280x768 screen with a window manager:
# the frame the X server scales (the path taken for a software GL) is the
# frame the GL's own scaling shows, upright, centred, with black bars.
# The screens are read back during the still picture of pattern 1.
source "$(dirname "$0")/lib.sh"
use_generated_media "$2"
write_snc "$WORK/data/test.snc" 0.2 60 $(seq 61 77)
cd "$WORK"
cat >"$WORK/run.sh" <<INNER
set -u
openbox >/dev/null 2>&1 & wm=\$!
sleep 1
for present in x11 gl; do
  DEMO_PRESENT=\$present "$DEMO" & pid=\$!
  sleep 8  # well into pattern 1 even under the sanitizers with other tests running
  xwd -root -silent >"$WORK/\$present.xwd"
  kill \$pid; wait \$pid 2>/dev/null
done
kill \$wm
INNER
on_screen 1280x768 timeout 90 bash "$WORK/run.sh" || fail "the screens were not read back"
python3 - "$WORK/x11.xwd" "$WORK/gl.xwd" <<'PY' || fail "the two presentations differ"
import struct, sys
def read(path):
    raw = open(path, 'rb').read()
    header = struct.unpack_from('>25I', raw)
    size, width, height, bpl, ncolors = header[0], header[4], header[5], header[12], header[19]
    assert header[7] == 0 and header[11] == 32, 'expected 32-bit LSB-first pixels'
    start = size + 12 * ncolors
    rows = [raw[start + y * bpl: start + y * bpl + 4 * width] for y in range(height)]
    return width, height, rows
w, h, x11 = read(sys.argv[1])
_, _, gl = read(sys.argv[2])
# 800x600 scaled to 1024x768, 128 columns of black on either side.
assert (w, h) == (1280, 768)
assert all(not any(r[:4 * 128]) and not any(r[4 * 1152:]) for r in x11), 'the bars are not black'
picture = sum(sum(r[i] for i in range(4 * 128, 4 * 1152, 4)) for r in x11) / (1024 * h)
assert picture > 30, 'the X server shows a black picture'
total = worst = 0
for a, b in zip(x11, gl):
    for i in range(0, len(a), 4):
        for c in range(3):
            d = abs(a[i + c] - b[i + c])
            total += d
            worst = max(worst, d)
print('mean difference %.3f, largest %d' % (total / (w * h * 3), worst))
assert total / (w * h * 3) < 1.0 and worst < 48, 'the pictures differ'
PY
echo "passed: the X server shows the frame the GL would"
