# The .deb: its files and declared dependencies, and the program unpacked
# into a scratch root, started from elsewhere, finding its installed media
# and playing a short track to the end.
source "$(dirname "$0")/lib.sh"
BUILD_DIR=$(readlink -f "$2")
[ -d "$BUILD_DIR/data" ] || { echo "skipped: no generated media to package"; exit 0; }
cd "$WORK"
cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log"; fail "cpack failed"; }
deb=$(ls "$WORK"/pkg/quarn2-demo_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/demo ./usr/bin/capture ./usr/share/applications/quarn2-demo.desktop \
  ./usr/share/quarn2-demo/data/test.snc ./usr/share/quarn2-demo/data/music.mp3 \
  ./usr/share/quarn2-demo/data/diag/7.tga; do
  printf '%s\n' "$files" | grep -qx -- "$f" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for p in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libmpg123-0 libjpeg62-turbo libgl1 libgl1-mesa-dri; do
  printf '%s\n' "$depends" | grep -q "$p" || fail "Depends does not name $p: $depends"
done

dpkg-deb -x "$deb" "$WORK/root"
write_snc "$WORK/root/usr/share/quarn2-demo/data/test.snc" $(seq 0.2 0.2 3.8)
mkdir "$WORK/elsewhere" && cd "$WORK/elsewhere"
status=0
SDL_VIDEODRIVER=offscreen timeout 60 "$WORK/root/usr/bin/demo" --no-vsync --mute || status=$?
[ "$status" -eq 0 ] || fail "the unpacked program ended with status $status"
echo "passed: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, plays from its installed media"
