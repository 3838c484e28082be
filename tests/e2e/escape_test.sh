# Escape sent to the real window ends the demo with status 0.
source "$(dirname "$0")/lib.sh"
write_snc "$WORK/data/test.snc" $(seq 100 100 1900)
cd "$WORK"
cat >"$WORK/run.sh" <<INNER
set -u
"$DEMO" & pid=\$!
for i in \$(seq 1 100); do
  win=\$(xdotool search --name '^Test\$' 2>/dev/null | head -n 1) && [ -n "\$win" ] && break
  sleep 0.1
done
[ -n "\${win:-}" ] || { echo "no window"; kill \$pid; exit 3; }
# Hold Escape long enough for a frame's keyboard read to see it (a press and
# release between two reads is not seen); try again while the demo runs.
for try in \$(seq 1 10); do
  xdotool windowfocus --sync "\$win" 2>/dev/null || true
  xdotool keydown Escape; sleep 0.5; xdotool keyup Escape
  for i in \$(seq 1 10); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
  kill -0 \$pid 2>/dev/null || break
done
if kill -0 \$pid 2>/dev/null; then echo "still running after Escape"; kill \$pid; exit 4; fi
wait \$pid
INNER
status=0
on_screen 1024x768 timeout 60 bash "$WORK/run.sh" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "passed: Escape ended the demo"
