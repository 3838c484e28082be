#!/usr/bin/env bash
# The demo in a browser tab.
#   bash tools/web.sh              builds build-web/: index.html, page.js,
#                                  media.js, demo.js, demo.wasm and data/
#   bash tools/web.sh serve [PORT] serves it on 127.0.0.1 (8080), building first
#                                  when there is nothing to serve
# The media are the native build's (build/data), generated first when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/build-web

if [ "${1:-}" = serve ]; then
  [ -f "$out/demo.wasm" ] || bash tools/web.sh
  exec node tools/webserve.js "$out" "${2:-8080}"
fi

bash tools/install-deps.sh
if [ ! -f build/data/test.snc ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target media
fi
# emcc's JavaScript passes look for acorn there.
export NODE_PATH=/usr/share/nodejs
toolchain=$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake
cmake -S . -B "$out/cmake" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DWEB_SITE_DIR="$out" >/dev/null
cmake --build "$out/cmake" -j"$(nproc)"
rm -rf "$out/data"
cp -r build/data "$out/data"
# The page fetches what this lists.
(cd "$out/data" && find . -type f ! -name files.txt | sed 's|^\./||' | LC_ALL=C sort >files.txt)
echo "built $out (bash tools/web.sh serve to open it)"
