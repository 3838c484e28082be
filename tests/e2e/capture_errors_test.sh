# The capture program refuses bad command lines, a missing ffmpeg and an
# unwritable output with a clear message and a failing status, and leaves no
# file behind. On a terminal it shows a progress bar with the time left.
source "$(dirname "$0")/lib.sh"
CAPTURE="$(readlink -f "$2")/capture"
write_snc "$WORK/data/test.snc" $(seq 0.1 0.1 1.9)
cd "$WORK"

expect() {  # STATUS TEXT COMMAND...
  local want=$1 text=$2 status=0; shift 2
  "$@" >"$WORK/out.txt" 2>&1 || status=$?
  [ "$status" -eq "$want" ] || { cat "$WORK/out.txt"; fail "$*: status $status, not $want"; }
  grep -qF -- "$text" "$WORK/out.txt" || { cat "$WORK/out.txt"; fail "$*: no \"$text\""; }
}

expect 2 "capture: --fps takes a whole number from 1 to 1000: 0" "$CAPTURE" --fps 0 --video a.mp4
expect 2 "capture: unknown option: --speed" "$CAPTURE" --speed 2
expect 2 "capture: nothing to write" "$CAPTURE"
expect 0 "--contact-sheet FILE" "$CAPTURE" --help
expect 1 "capture: ffmpeg not found in PATH" env PATH=/nonexistent "$CAPTURE" --video a.mp4
expect 1 "capture: Cannot write $WORK/no/such/a.mp4: No such file or directory" "$CAPTURE" --video no/such/a.mp4
mkdir -p "$WORK/empty"
expect 1 "capture: No demo data in $WORK/empty" "$CAPTURE" --data empty --still 0:a.png
expect 1 "capture: The still $WORK/late.png lies past the demo's end" \
  "$CAPTURE" --fps 10 --still 0.5:early.png --still 9:late.png
left=$(ls "$WORK" | grep -v -e '^data$' -e '^empty$' -e '^out.txt$' || true)
[ -z "$left" ] || fail "left behind: $left"

# A terminal gets the progress bar; the file is there once the run is done.
script -qec "'$CAPTURE' --fps 30 --still 1.8:shot.png" /dev/null >"$WORK/tty.txt" 2>&1 || fail "capture on a terminal failed"
grep -q '\] 100% 55/55 .* fps left 0:00' "$WORK/tty.txt" || { cat -v "$WORK/tty.txt"; fail "no progress bar"; }
[ -f "$WORK/shot.png" ] || fail "no still"
"$CAPTURE" --fps 30 --still 1.8:again.png 2>"$WORK/err.txt" >/dev/null || fail "capture without a terminal failed"
# The demo's loaders may report pictures this small data/ lacks; no progress bar though.
! grep -q '[0-9]%' "$WORK/err.txt" || { cat -v "$WORK/err.txt"; fail "progress drawn into a file"; }
echo "passed: errors, leftovers and progress"
