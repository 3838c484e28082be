# demo --dev in a window driven by keys: pattern seeks print their line,
# a paused frame saved twice a second apart is the same picture under the
# same time, with or without the panel, and test.snc is read again when rewritten, a broken one shown
# as an error while the demo goes on.
source "$(dirname "$0")/lib.sh"
use_generated_media "$2"
# Two-second patterns: 0 ends at 2 s, 1 at 4 s, ...
write_snc "$WORK/data/test.snc" $(seq 2 2 38)
cd "$WORK"
cat >"$WORK/run.sh" <<'INNER'
set -u
LOG="$WORK/dev.log"
"$DEMO" --dev --window 2>"$LOG" & pid=$!
for i in $(seq 1 200); do
  win=$(xdotool search --name '^Test$' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
  sleep 0.1
done
[ -n "${win:-}" ] || { echo "no window"; kill $pid; exit 3; }
# wait_line PATTERN [N]: until the log holds N lines (1) matching PATTERN
# (grep -E), at most 60 s (a sanitizer build under load is slow).
wait_line() {
  for i in $(seq 1 600); do
    [ "$(grep -Ec "$1" "$LOG")" -ge "${2:-1}" ] && return 0
    kill -0 $pid 2>/dev/null || break; sleep 0.1
  done
  echo "no line matching: $1"; cat "$LOG"; kill $pid 2>/dev/null; exit 4
}
press() { xdotool windowfocus --sync "$win" 2>/dev/null || true; xdotool key "$@"; }
wait_line '^dev: ready'
press Home space
wait_line '^dev: seek 0\.000 s, pattern 0 \([0-9]+ ms\)$'
press Next
wait_line '^dev: seek 2\.000 s, pattern 1 \([0-9]+ ms\)$'
press Next
wait_line '^dev: seek 4\.000 s, pattern 2 \([0-9]+ ms\)$'
press Prior
wait_line '^dev: seek 2\.000 s, pattern 1 \([0-9]+ ms\)$' 2
# Paused in the wombat scene, whose camera moves every frame drawn: two
# pictures a second apart hold the same time and pixels, the second with
# the panel hidden: the panel is never in the picture.
press Next Next Next
wait_line '^dev: seek 8\.000 s, pattern 4 \([0-9]+ ms\)$'
press F12
wait_line '^dev: saved .*/frame-008\.000000\.png$'
mv "$WORK/frame-008.000000.png" "$WORK/first.png"
sleep 1
press F1 F12
wait_line '^dev: saved .*/frame-008\.000000\.png$' 2
cmp -s "$WORK/first.png" "$WORK/frame-008.000000.png" || { echo "paused pictures differ"; exit 6; }
# A new track is read (8 s falls in its pattern 2); a broken one is refused
# and the last good one kept.
sleep 0.3
write_snc "$WORK/data/test.snc" $(seq 3 3 57)
wait_line '^dev: test\.snc reloaded$'
press Next
wait_line '^dev: seek 9\.000 s, pattern 3 \([0-9]+ ms\)$'
write_snc "$WORK/data/test.snc" 5 4 3
wait_line '^dev: test\.snc: pattern 1 ends at 4\.000 s'
press Next
wait_line '^dev: seek 12\.000 s, pattern 4 \([0-9]+ ms\)$'
kill -0 $pid 2>/dev/null || { echo "the demo ended"; exit 7; }
for try in $(seq 1 10); do
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
  for i in $(seq 1 10); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null || break
done
wait $pid || { echo "the demo ended with status $?"; cat "$LOG"; exit 9; }
# Nothing the panel draws may leave a GL error (the run checks every frame).
! grep -m 3 '^GL error' "$LOG" || exit 8
INNER
status=0
export -f write_snc
WORK="$WORK" DEMO="$DEMO" on_screen 1024x768 timeout 240 bash "$WORK/run.sh" || status=$?
[ "$status" -eq 0 ] || fail "status $status"
echo "passed: seeks, paused pictures and track reloads in the development mode"
