# Shared by the end-to-end tests: a scratch directory with a data/ folder and
# a sync track written from a list of pattern end times.
set -euo pipefail
DEMO=$(readlink -f "$1")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/data"
export SDL_AUDIODRIVER=dummy DEMO_MESSAGES=stderr

# write_snc FILE END0 END1 ... : table 1 from the arguments, the rest zero.
write_snc() {
  local file=$1; shift
  python3 - "$file" "$@" <<'PY'
import struct, sys
ends = [float(x) for x in sys.argv[2:]]
data = struct.pack('<%df' % len(ends), *ends) + bytes(1616 - 4 * len(ends))
open(sys.argv[1], 'wb').write(data)
PY
}

fail() { echo "FAIL: $*" >&2; exit 1; }
