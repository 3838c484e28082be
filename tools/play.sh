#!/usr/bin/env bash
# Builds the demo and plays it from build/, where data/ is generated.
# Without a display it runs under a virtual X server instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd build
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./demo
fi
echo "No display: running the demo under Xvfb (nothing to see; it ends with the demo)."
exec xvfb-run -a -s "-screen 0 800x600x24" ./demo
