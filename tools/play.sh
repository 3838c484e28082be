#!/usr/bin/env bash
# Builds what playing needs (the demo and its media, and the capture tool
# when there is no display) and plays the demo from build/, where data/ is
# generated. Without a display it renders the demo to a video instead and
# says where the file is. Arguments go to the demo (see build/demo --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cmake --build build -j"$(nproc)" --target demo media
  exec build/demo "$@"
fi
cmake --build build -j"$(nproc)" --target capture media
video="$PWD/build/demo.mp4"
echo "No display: rendering the demo to a video instead."
(cd build && ./capture --video "$video")
echo "The demo is in $video"
