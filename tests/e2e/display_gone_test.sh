# An X server that ends under the demo, while it starts and while it plays,
# ends it with a message and status 1: no crash, no sanitizer report (the
# picture decoder's thread may still be running when it happens).
source "$(dirname "$0")/lib.sh"
use_generated_media "$2"
cd "$WORK"

# gone WHEN: the demo on a fresh Xvfb whose server is killed at WHEN
# ("start": as the demo starts; "play": once its window is up).
gone() {
  local numfile="$WORK/display" num="" xvfb demo status=0
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do num=$(head -n 1 "$numfile"); [ -n "$num" ] && break; sleep 0.05; done
  [ -n "$num" ] || fail "Xvfb did not start"
  DISPLAY=":$num" "$DEMO" >"$WORK/$1.log" 2>&1 &
  demo=$!
  if [ "$1" = play ]; then
    for _ in $(seq 200); do DISPLAY=":$num" xdotool search --name '^Test$' >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 1
  fi
  kill -9 "$xvfb"
  wait "$xvfb" 2>/dev/null || true
  for _ in $(seq 300); do kill -0 "$demo" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$demo" 2>/dev/null && { kill -9 "$demo"; fail "$1: the demo went on without its display"; }
  wait "$demo" || status=$?
  cat "$WORK/$1.log"
  ! grep -qE 'Sanitizer|runtime error' "$WORK/$1.log" || fail "$1: a sanitizer report"
  [ "$status" -eq 1 ] || fail "$1: exit status $status"
  grep -qE '^Error: ' "$WORK/$1.log" || fail "$1: no message"
}

gone start
gone play
grep -q "The connection to the display was lost" "$WORK/play.log" || fail "play: not the lost display's message"
echo "passed: the display's end ends the demo with its message and status 1"
