#!/usr/bin/env bash
# Builds the demo and plays it from build/, where data/ is generated.
# Without a display it renders the demo to a video instead, with the capture
# tool, and says where the file is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
cd build
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./demo
fi
video="$PWD/demo.mp4"
echo "No display: rendering the demo to a video instead."
./capture --video "$video"
echo "The demo is in $video"
