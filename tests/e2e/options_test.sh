# The demo's options on the real program: a refusal opens no window, --help
# answers, --size opens a window of that size, and a demo started from
# elsewhere finds the data/ beside it; --pattern starts later and --loop
# goes on.
source "$(dirname "$0")/lib.sh"
BUILD_DIR=$(readlink -f "$2")
write_snc "$WORK/data/test.snc" 0.5 1 1.5 2 2.5 3 3.5 4 4.5 5 5.5 6 6.5 7 7.5 8 8.5 9 9.5
cd "$WORK"

# No display at all: a bad option must be refused before any window is tried.
status=0
out=$(env -u DISPLAY "$DEMO" --size 800 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "a bad --size gave status $status"
[ "$(printf '%s\n' "$out" | head -n 1)" = "demo: --size takes WIDTHxHEIGHT, each 16 to 16384: not 800" ] ||
  fail "first line: $(printf '%s\n' "$out" | head -n 1)"
printf '%s\n' "$out" | grep -q '^usage: demo' || fail "no usage after the error"
"$DEMO" --help | grep -q -- '--no-vsync' || fail "--help does not list the options"

# A window of the asked size, whose picture plays to the end.
cat >"$WORK/run.sh" <<INNER
set -u
"$DEMO" --size 640x400 --mute & pid=\$!
for i in \$(seq 1 100); do
  win=\$(xdotool search --name '^Test\$' 2>/dev/null | head -n 1) && [ -n "\$win" ] && break
  sleep 0.1
done
[ -n "\${win:-}" ] || { echo "no window"; kill \$pid; exit 3; }
xdotool getwindowgeometry "\$win" | grep -q 'Geometry: 640x400' || { xdotool getwindowgeometry "\$win"; kill \$pid; exit 4; }
wait \$pid
INNER
status=0
on_screen 1024x768 timeout 60 bash "$WORK/run.sh" || status=$?
[ "$status" -eq 0 ] || fail "windowed run: status $status"

# Started from a directory without data/, the program uses the one beside it.
mkdir -p "$WORK/elsewhere" "$WORK/program"
cp "$DEMO" "$WORK/program/demo"
mv "$WORK/data" "$WORK/program/data"
cd "$WORK/elsewhere"
status=0
SDL_VIDEODRIVER=offscreen timeout 60 "$WORK/program/demo" --no-vsync --mute || status=$?
[ "$status" -eq 0 ] || fail "run from elsewhere: status $status"

# --pattern 18 starts at the finale, so this 10 s track ends within a second
# or two; --loop on a 1.9 s track is still playing after two of its lengths.
export SDL_VIDEODRIVER=offscreen
status=0
timeout 6 "$WORK/program/demo" --pattern 18 --no-vsync || status=$?
[ "$status" -eq 0 ] || fail "--pattern 18: status $status"
write_snc "$WORK/program/data/test.snc" $(seq 0.1 0.1 1.9)
"$WORK/program/demo" --loop --no-vsync & pid=$!
sleep 4
kill -0 $pid 2>/dev/null || fail "--loop ended"
kill $pid; wait $pid || fail "--loop did not end cleanly on a signal"
echo "passed: options refused, window sized, media found beside the program, --pattern, --loop"
