# The real program plays the generated data/ to its end under Xvfb and exits
# 0 without a single message, on a copy of the sync track whose pattern ends
# are scaled down so that the whole demo lasts 15 seconds.
source "$(dirname "$0")/lib.sh"
use_generated_media "$2"
python3 - "$WORK/data/test.snc" <<'PY'
import struct, sys
raw = bytearray(open(sys.argv[1], 'rb').read())
ends = struct.unpack_from('<19f', raw)
assert all(e > 0 for e in ends), 'the generated track holds a zero pattern end'
scale = 15.0 / ends[18]
struct.pack_into('<19f', raw, 0, *(e * scale for e in ends))
open(sys.argv[1], 'wb').write(raw)
PY
cd "$WORK"
status=0
on_screen 1024x768 timeout 90 "$DEMO" >"$WORK/out.txt" 2>&1 || status=$?
cat "$WORK/out.txt"
[ "$status" -eq 0 ] || fail "exit status $status"
! grep -E '^(Error|BMP Unit|TGA Texture|TGA File Error): ' "$WORK/out.txt" || fail "the generated media gave messages"
echo "passed: the generated media played to the end"
