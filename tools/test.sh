#!/usr/bin/env bash
# Builds everything and runs every test. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
