# The real program under Xvfb plays a short track to its end and exits 0.
source "$(dirname "$0")/lib.sh"
write_snc "$WORK/data/test.snc" $(seq 0.2 0.2 3.8)
cd "$WORK"
status=0
on_screen 1024x768 timeout 60 "$DEMO" >"$WORK/out.txt" 2>&1 || status=$?
cat "$WORK/out.txt"
[ "$status" -eq 0 ] || fail "exit status $status"
echo "passed: played to the end"
