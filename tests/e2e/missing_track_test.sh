# Without "test.snc" the program says so and ends with a non-zero status.
source "$(dirname "$0")/lib.sh"
cd "$WORK"
status=0
on_screen 1024x768 timeout 60 "$DEMO" >"$WORK/out.txt" 2>&1 || status=$?
cat "$WORK/out.txt"
[ "$status" -ne 0 ] || fail "exit status 0 without a sync track"
[ "$status" -ne 124 ] || fail "hung"
grep -q "Cannot open file test.snc" "$WORK/out.txt" || fail "no message naming the file"
echo "passed: missing track reported"
