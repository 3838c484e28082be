#!/usr/bin/env bash
# av_sync_bench: each cut seen against its beat heard, through a real sound
# server. Runs the real demo fullscreen on an 800x600 Xvfb, through a
# PulseAudio (or PipeWire) server of its own with a null sink, the music a
# click track with a cut on every click (tests/av), and prints per run, per
# cut, the click heard less the cut shown (negative: the picture is late)
# and the demo time on screen when the click was heard; then per cut over all
# runs the median and worst, the underruns the demo and the server counted,
# and the music's drift. --whole plays the generated demo end to end with a
# click on every pattern end of its track instead, for the drift over it.
#
#   bench/av_sync_bench.sh [--runs N] [--loops N] [--nice N] [--pipewire] [--whole] [BUILD]
#
# --loops N busy loops beside the demo (at --nice N). BUILD defaults to build.
set -euo pipefail
runs=3 loops=0 nice=0 server=pulseaudio whole=0 build=build
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --loops) loops=$2; shift 2 ;;
    --nice) nice=$2; shift 2 ;;
    --pipewire) server=pipewire; shift ;;
    --whole) whole=1; shift ;;
    -h|--help) sed -n 2,15p "$0"; exit 0 ;;
    -*) echo "av_sync_bench: unknown option $1" >&2; exit 2 ;;
    *) build=$1; shift ;;
  esac
done
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "$build")
source "$here/tests/e2e/lib.sh" "$build/demo"
source "$here/tests/av/sound_server.sh"
use_generated_media "$build"
if [ "$whole" = 1 ]; then use_track_clicks "$WORK/data"; else write_click_media "$WORK/data"; fi
if [ "$server" = pipewire ]; then
  have_pipewire || { echo "av_sync_bench: PipeWire is not installed" >&2; exit 1; }
  start_pipewire || { echo "av_sync_bench: PipeWire did not start" >&2; exit 1; }
  trap 'stop_busy_loops; stop_pipewire; rm -rf "$WORK"' EXIT
  export AV_SDL_DRIVER=pipewire
else
  have_sound_server || { echo "av_sync_bench: needs pulseaudio, parec and ffmpeg" >&2; exit 1; }
  start_pulseaudio || { echo "av_sync_bench: PulseAudio did not start" >&2; exit 1; }
  trap 'stop_busy_loops; stop_pulseaudio; rm -rf "$WORK"' EXIT
fi
cd "$WORK"
echo "$server, SDL driver ${AV_SDL_DRIVER:-pulseaudio}, $loops busy loops (nice $nice), $runs runs"
# The server's own count: PulseAudio logs each underrun (PipeWire does not).
server_underruns() { grep -c 'Implicit underrun' "$WORK/pulse.log" 2>/dev/null || true; }
for k in $(seq "$runs"); do
  before=$(server_underruns)
  busy_loops "$loops" "$nice"
  play_through_server "run$k" || echo "run $k: the demo's exit status $?"
  stop_busy_loops
  after=$(server_underruns)
  echo "== run $k"
  analyse_run "run$k" $([ "$whole" = 1 ] && echo --drift-only) | tee "run$k.sync" || true
  echo "underruns: demo $(sed -n 's/^audio: .*, \([0-9]*\) underruns/\1/p' "run$k.log"), server $((${after:-0} - ${before:-0}))"
  grep -E '^(first frame|audio:)' "run$k.log" || true
done
[ "$whole" = 1 ] && exit 0
echo "== over all runs, click heard - cut shown (ms)"
python3 - $(ls run*.sync) <<'PY'
import re, sys
per = {}
for name in sys.argv[1:]:
    for line in open(name):
        m = re.match(r'click +([\d.]+) s +(\S+) +-> +(\S+) +heard - shown +([-+\d.]+)', line)
        if m:
            per.setdefault((float(m[1]), m[2], m[3]), []).append(float(m[4]))
every = []
for (t, a, b), v in sorted(per.items()):
    v.sort(); every += v
    print('%6.2f s %-7s -> %-7s median %+6.1f worst %+6.1f' % (t, a, b, v[len(v) // 2], max(v, key=abs)))
every.sort()
print('all cuts: median %+.1f worst %+.1f' % (every[len(every) // 2], max(every, key=abs)))
PY
