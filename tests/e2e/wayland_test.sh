# The real demo under a real Wayland compositor: sway headless (wlroots'
# pixman renderer) as an unprivileged user with a runtime directory of its
# own; natively on Wayland and through XWayland, fullscreen and in a window,
# on a 1920x1080 output and on one at scale 2. While pattern 1's still is
# held, grim's screenshot of the output holds capture's frame of that time,
# letterboxed between black bars, and one Escape from the compositor's
# virtual keyboard (wtype) ends the demo with status 0. The compositor
# ending under the demo ends it with a message and status 1.
# Skipped where sway cannot start.
source "$(dirname "$0")/lib.sh"
BUILD=$(readlink -f "$2")
for tool in sway swaymsg grim wtype; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
use_generated_media "$2"
# Pattern 1, the still, from 0.5 s to 60 s.
write_snc "$WORK/data/test.snc" 0.5 $(seq 60 1 77)
"$BUILD/capture" --data "$WORK" --fps 10 --still "5:$WORK/ref.png" >/dev/null 2>&1 || fail "capture failed"
cp "$DEMO" "$WORK/demo"
chmod -R a+rX "$WORK"
chmod a+w "$WORK"  # the screenshots
# sway refuses to run as root: the compositor and its clients run as nobody.
as_user() {
  if [ "$(id -u)" = 0 ]; then setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; else "$@"; fi
}
RUN=$WORK/run
mkdir -p "$RUN" && chmod 700 "$RUN"
[ "$(id -u)" = 0 ] && chown nobody "$RUN"
cat >"$WORK/sway.config" <<CONFIG
output HEADLESS-1 resolution 1920x1080 position 0,0
default_border none
xwayland enable
CONFIG
as_user env -i PATH="$PATH" HOME="$WORK" XDG_RUNTIME_DIR="$RUN" WLR_BACKENDS=headless WLR_RENDERER=pixman \
  WLR_LIBINPUT_NO_DEVICES=1 sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
stop_sway() { pkill -9 -f "sway -c $WORK/sway.config" 2>/dev/null || true; }
trap 'stop_sway; rm -rf "$WORK"' EXIT
for _ in $(seq 100); do ls "$RUN"/wayland-* >/dev/null 2>&1 && break; sleep 0.1; done
socket=$(cd "$RUN" && ls wayland-* 2>/dev/null | grep -v lock | head -n 1)
[ -n "$socket" ] || { cat "$WORK/sway.log"; echo "skipped: sway did not start"; exit 77; }
sleep 0.5
# XWayland's display: the one whose lock names sway.
x11=""
sway=$(pgrep -n -f "sway -c $WORK/sway.config" || true)
for lock in /tmp/.X*-lock; do
  [ -n "$sway" ] && [ "$(head -c 16 "$lock" 2>/dev/null | tr -dc 0-9)" = "$sway" ] && x11=${lock#/tmp/.X} && x11=${x11%-lock}
done
CLIENT=(env -i PATH="$PATH" HOME="$WORK" XDG_RUNTIME_DIR="$RUN" WAYLAND_DISPLAY="$socket" DISPLAY=":$x11"
        SWAYSOCK="$(ls "$RUN"/sway-ipc.* | head -n 1)" SDL_AUDIODRIVER=dummy DEMO_MESSAGES=stderr DEMO_STATS=1
        DEMO_GL_CHECK="${DEMO_GL_CHECK:-}" ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}"
        UBSAN_OPTIONS="${UBSAN_OPTIONS:-}")

# play NAME DRIVER [ARGS]: the demo, a screenshot once the still shows, then
# Escape; its status in $status, its output in $WORK/NAME.log.
play() {
  local name=$1 driver=$2; shift 2
  (cd "$WORK" && as_user "${CLIENT[@]}" ${driver:+SDL_VIDEODRIVER=$driver} ./demo "$@" >"$WORK/$name.log" 2>&1) &
  local pid=$!
  sleep 5
  as_user "${CLIENT[@]}" grim "$WORK/$name.png" || fail "$name: grim failed"
  # The seat has no keyboard but wtype's: a second for the demo to take it.
  as_user "${CLIENT[@]}" wtype -s 1000 -k Escape
  status=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fail "$name: one Escape did not end it"; fi
  wait "$pid" || status=$?
}

# compare NAME: the screenshot against capture's frame, letterboxed.
compare() {
  python3 - "$WORK/$1.png" "$WORK/ref.png" <<'PY'
import subprocess, sys
def rgb(path, vf=None):
    size = subprocess.run(['ffprobe', '-v', 'error', '-show_entries', 'stream=width,height', '-of', 'csv=p=0', path],
                          capture_output=True, text=True, check=True).stdout.split(',')
    w, h = int(size[0]), int(size[1])
    args = ['ffmpeg', '-v', 'error', '-i', path] + (['-vf', vf] if vf else []) + ['-f', 'rawvideo', '-pix_fmt', 'rgb24', '-']
    return w, h, subprocess.run(args, capture_output=True, check=True).stdout
shot, ref = sys.argv[1:]
w, h, full = rgb(shot)
# The frame's 4:3 at the largest that fits, centred, as the demo letterboxes.
fw, fh = (w, w * 3 // 4) if w * 3 <= h * 4 else (h * 4 // 3, h)
x, y = (w - fw) // 2, (h - fh) // 2
bars = [full[(r * w + c) * 3 + k] for r in range(0, h, 7) for c in range(0, w, 7) for k in range(3)
        if not (x - 2 <= c < x + fw + 2 and y - 2 <= r < y + fh + 2)]
bars = bars or [0]
_, _, inside = rgb(shot, 'crop=%d:%d:%d:%d,scale=800:600:flags=area' % (fw, fh, x, y))
_, _, want = rgb(ref)
diff = sum(abs(a - b) for a, b in zip(inside, want)) / len(want)
print('%dx%d: frame %dx%d at %d,%d, mean difference %.2f, brightest bar pixel %d' % (w, h, fw, fh, x, y, diff, max(bars)))
sys.exit(0 if diff < 3 and max(bars) <= 16 else 1)
PY
}

check() {
  local name=$1; shift
  play "$name" "$@"
  [ "$status" -eq 0 ] || { cat "$WORK/$name.log"; fail "$name: exit status $status"; }
  compare "$name" || fail "$name: the picture is not the frame, letterboxed"
}

check wayland-fullscreen wayland
check wayland-window wayland --window
[ -n "$x11" ] && check xwayland-fullscreen x11
check default-choice ""
as_user "${CLIENT[@]}" swaymsg output HEADLESS-1 scale 2 >/dev/null
check wayland-fullscreen-2x wayland
check wayland-window-2x wayland --window
check wayland-native-2x wayland --scale native

# The compositor going away ends the demo with its message and status 1.
(cd "$WORK" && as_user "${CLIENT[@]}" SDL_VIDEODRIVER=wayland ./demo >"$WORK/gone.log" 2>&1) &
pid=$!
sleep 4
stop_sway
status=0
wait "$pid" || status=$?
grep -q "The connection to the display was lost" "$WORK/gone.log" || { cat "$WORK/gone.log"; fail "no message"; }
[ "$status" -eq 1 ] || fail "the compositor's end: exit status $status"
echo "passed: letterboxed on Wayland and XWayland at scale 1 and 2, Escape ends it, the compositor's end too"
