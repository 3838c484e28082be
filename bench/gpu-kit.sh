#!/usr/bin/env bash
# Bundles the built demo, scenes_bench, the media and every library they
# load that a GPU machine may lack into one folder, with a script that runs
# the benchmark there. The target is assumed to hold only the C library and
# its GPU driver's own GL, EGL and GLX libraries; everything else travels.
#   bench/gpu-kit.sh [BUILD_DIR] [KIT_DIR]     (defaults: build, gpu-kit)
# Then, on the GPU machine:  KIT_DIR/run.sh [scenes_bench options]
set -euo pipefail
build=$(readlink -f "${1:-build}")
kit=${2:-gpu-kit}
for f in demo scenes_bench data/test.snc; do
  [ -e "$build/$f" ] || { echo "gpu-kit: no $build/$f (build first: bash tools/build.sh)" >&2; exit 1; }
done
rm -rf "$kit"
mkdir -p "$kit/lib"
cp "$build/demo" "$build/scenes_bench" "$kit/"
cp -r "$build/data" "$kit/data"

# The C library and the GL vendor-neutral libraries stay behind: the GPU
# driver's own must be the ones loaded.
system='^(linux-vdso|ld-linux|libc|libm|libdl|libpthread|librt|libresolv|libGL|libEGL|libGLX|libGLdispatch|libOpenGL|libgbm|libdrm|libnvidia)[.-]'
# SDL loads its video, audio and input libraries at run time; ldd sees the
# direct ones, these are the ones it opens for an X11 window and sound.
dynamic=(libX11.so.6 libXext.so.6 libXrender.so.1 libXcursor.so.1 libXi.so.6 libXrandr.so.2
         libXfixes.so.3 libXss.so.1 libxkbcommon.so.0 libasound.so.2 libpulse.so.0)
{
  ldd "$build/demo" "$build/scenes_bench" | awk '/=> \//{print $3}'
  for name in "${dynamic[@]}"; do
    path=$(ldconfig -p | awk -v n="$name" '$1 == n && /x86-64/ {print $NF; exit}')
    if [ -n "$path" ]; then
      echo "$path"
      ldd "$path" | awk '/=> \//{print $3}'
    fi
  done
} | sort -u | while read -r lib; do
  name=$(basename "$lib")
  [[ $name =~ $system ]] && continue
  cp -L "$lib" "$kit/lib/$name"
done

cat >"$kit/run.sh" <<'RUN'
#!/usr/bin/env bash
# Runs the benchmark with the bundled libraries; options go to scenes_bench
# (--frames N, --scene NAME). The frames are drawn offscreen through EGL.
cd "$(dirname "$0")"
export LD_LIBRARY_PATH="$PWD/lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen} SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
exec ./scenes_bench --data . "$@"
RUN
chmod +x "$kit/run.sh"
echo "gpu-kit: $(du -sh "$kit" | cut -f1) in $kit ($(ls "$kit/lib" | wc -l) libraries); run $kit/run.sh"
