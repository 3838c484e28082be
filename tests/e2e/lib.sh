# Shared by the end-to-end tests: a scratch directory with a data/ folder
# holding the three models the scenes need (the demo cannot start without
# them), and a sync track written from a list of pattern end times.
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

# write_models DIR: wombat.3ds, land.3ds and lakris.3ds, small octahedra,
# with as many meshes as the scenes draw.
write_models() {
  python3 - "$1" <<'PY'
import os, struct, sys
def chunk(id, body):
    return struct.pack('<HI', id, 6 + len(body)) + body
def octahedron(name, r, cx, cy, cz):
    v = [(cx + r, cy, cz), (cx - r, cy, cz), (cx, cy + r, cz), (cx, cy - r, cz), (cx, cy, cz + r), (cx, cy, cz - r)]
    f = [(0, 2, 4), (2, 1, 4), (1, 3, 4), (3, 0, 4), (2, 0, 5), (1, 2, 5), (3, 1, 5), (0, 3, 5)]
    mesh = chunk(0x4110, struct.pack('<H', len(v)) + b''.join(struct.pack('<3f', *p) for p in v))
    mesh += chunk(0x4140, struct.pack('<H', len(v)) + struct.pack('<2f', 0.5, 0.5) * len(v))
    mesh += chunk(0x4120, struct.pack('<H', len(f)) + b''.join(struct.pack('<4H', a, b, c, 0) for a, b, c in f))
    return chunk(0x4000, name.encode() + b'\0' + chunk(0x4100, mesh))
def model(name, *objects):
    with open(os.path.join(sys.argv[1], name), 'wb') as out:
        out.write(chunk(0x4D4D, chunk(0x3D3D, b''.join(objects))))
model('wombat.3ds', octahedron('Body', 10, 0, 0, 0), octahedron('Eyes', 2, 0, -9, 4))
model('land.3ds', octahedron('Land', 30, 40, 0, -20), octahedron('Water', 40, 0, 0, 0))
model('lakris.3ds', octahedron('Lakris', 40, 0, 0, 180))
PY
}
write_models "$WORK/data"

fail() { echo "FAIL: $*" >&2; exit 1; }

# use_generated_media BUILD_DIR: the build's generated data/ in place of the
# models above; the test is skipped (status 0) when there is none.
use_generated_media() {
  local build
  build=$(readlink -f "$1")
  if [ ! -d "$build/data" ]; then
    echo "skipped: no generated media in $build/data (build the media generator first)"
    exit 0
  fi
  rm -rf "$WORK/data"
  cp -r "$build/data" "$WORK/data"
}

# on_screen WxH CMD...: CMD with DISPLAY on a new Xvfb screen of that size;
# its status is CMD's. The server picks a free display number itself
# (-displayfd): xvfb-run -a picks one before its server takes it, so tests
# started side by side could land on one server.
on_screen() {
  local size=$1; shift
  local numfile xvfb num="" status=0
  numfile=$(mktemp -p "$WORK")
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numfile" 2>"$numfile.log" &
  xvfb=$!
  for _ in $(seq 400); do
    num=$(head -n 1 "$numfile")
    [ -n "$num" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$num" ]; then
    kill "$xvfb" 2>/dev/null || true
    echo "Xvfb did not start:" >&2; cat "$numfile.log" >&2
    return 1
  fi
  DISPLAY=":$num" "$@" || status=$?
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  return "$status"
}
