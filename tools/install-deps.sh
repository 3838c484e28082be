#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzz targets, the
# media generator and the web build (emscripten, and Chromium for its test)
# need, the sound servers the picture-against-sound test plays through and
# the Wayland compositor (and its screenshot and key tools) of the desktop test.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libmpg123-dev
  libx11-dev libxext-dev libxrender-dev libwayland-dev
  libjpeg62-turbo-dev
  libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libgtest-dev googletest
  libcairo2-dev fonts-dejavu-core libmp3lame-dev
  libpng-dev
  libimgui-dev
  xvfb xauth xdotool x11-apps openbox
  ffmpeg
  pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus-daemon
  sway grim wtype xwayland
  clang-14 libclang-rt-14-dev llvm-14
  valgrind
  emscripten chromium nodejs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The web test's puppeteer-core comes with npm, which a Node.js from
# elsewhere than Debian brings with it.
command -v npm >/dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
