#!/usr/bin/env bash
# The demo's web build in headless Chromium, against the desktop build:
# builds build-web/ (tools/web.sh), has build/capture draw the stills to
# compare with and media copies with a model missing, a picture cut in half
# and pictures carrying an EXIF orientation, installs puppeteer-core (npm ci,
# from the lock file here) and runs web_test.js in one browser. Exits 77
# (skipped) without emscripten, Chromium, Node, npm or the desktop build.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
for tool in emcc chromium node npm; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x build/capture ] || { echo "skipped: no build/capture (bash tools/build.sh)"; exit 77; }

bash tools/web.sh >/dev/null
out=$root/build-web-test/run
rm -rf "$out"
mkdir -p "$out/desktop" "$out/media"

# A low frame rate: the fixed clock draws every frame from 0, in both.
fps=4
times=9,20,33,54,95,125  # opening, still, picture, wombat, lakris, finale
stills=()
for t in ${times//,/ }; do stills+=(--still "$t:$out/desktop/$t.png"); done
capture() { build/capture "$@" >"$out/capture.log" 2>&1 || { cat "$out/capture.log"; exit 1; }; }
capture --data build --fps "$fps" "${stills[@]}"

mkdir -p "$out/media/no-model" "$out/media/cut-picture" "$out/media/exif"
cp -r build-web/data "$out/media/no-model/data"
rm "$out/media/no-model/data/wombat.3ds"  # still listed in files.txt
cp -r build-web/data "$out/media/cut-picture/data"
vell=build/data/vell.jpg
head -c $(($(stat -c %s "$vell") / 2)) "$vell" >"$out/media/cut-picture/data/vell.jpg"
capture --data "$out/media/cut-picture" --fps "$fps" --still "20:$out/cut-picture.png"

# Pictures turned by an EXIF Orientation tag in an APP1 segment after SOI,
# as phones write them (6 in vell.jpg, big-endian; 8 in 1-picture.jpg,
# little-endian): libjpeg ignores it, so the desktop's stills stay upright.
cp -r build-web/data "$out/media/exif/data"
python3 - "$out/media/exif/data" <<'PY'
import struct, sys
def turn(name, order, orientation):
    e = '>' if order == b'MM' else '<'
    ifd = struct.pack(e + 'HHHIHHI', 1, 0x0112, 3, 1, orientation, 0, 0)
    exif = b'Exif\0\0' + order + struct.pack(e + 'HI', 42, 8) + ifd
    path = f'{sys.argv[1]}/{name}'
    data = open(path, 'rb').read()
    open(path, 'wb').write(data[:2] + b'\xff\xe1' + struct.pack('>H', len(exif) + 2) + exif + data[2:])
turn('vell.jpg', b'MM', 6)
turn('1-picture.jpg', b'II', 8)
PY
capture --data "$out/media/exif" --fps "$fps" --still "20:$out/exif-20.png" --still "33:$out/exif-33.png"

# puppeteer-core, kept between runs while the lock file is the same.
modules=$root/build-web-test/node
if ! cmp -s tests/web/package-lock.json "$modules/package-lock.json" 2>/dev/null || [ ! -d "$modules/node_modules" ]; then
  rm -rf "$modules"
  mkdir -p "$modules"
  cp tests/web/package.json tests/web/package-lock.json "$modules/"
  (cd "$modules" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
NODE_PATH=$modules/node_modules node tests/web/web_test.js build-web "$out" "$fps" "$times"
