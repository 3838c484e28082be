# Shared by the picture-against-sound test and benchmark: a sound server of
# its own, a click track with the cuts on its clicks, and one run of the real
# demo through it with its sound recorded off the sink's monitor.
# Needs lib.sh's WORK and on_screen (source tests/e2e/lib.sh first), and
# pulseaudio, pactl, parec, ffmpeg, python3.
AV_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
AV_CLICKS="4 6 8 10 12.4"  # the cuts: opening|still|picture|wombat|lake|finale

# have_sound_server: 0 when a PulseAudio server can be started here.
have_sound_server() {
  command -v pulseaudio >/dev/null && command -v parec >/dev/null && command -v pactl >/dev/null &&
    command -v ffmpeg >/dev/null
}

# start_pulseaudio: a private server with a 44.1 kHz null sink, in a runtime
# directory of its own; its log (debug: it names every underrun) in
# $WORK/pulse.log. Exports what clients need to find it.
start_pulseaudio() {
  export XDG_RUNTIME_DIR="$WORK/pulse-run" PULSE_RUNTIME_PATH="$WORK/pulse-run/pulse"
  export HOME="$WORK/pulse-home"
  mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --log-level=debug --log-target="file:$WORK/pulse.log" \
    -L "module-null-sink sink_name=null rate=44100" -L module-native-protocol-unix || return 1
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && return 0; sleep 0.05; done
  return 1
}

stop_pulseaudio() { pactl exit 2>/dev/null || pkill -u "$(id -u)" -x pulseaudio 2>/dev/null || true; }

have_pipewire() {
  command -v pipewire >/dev/null && command -v wireplumber >/dev/null && command -v pipewire-pulse >/dev/null &&
    command -v dbus-daemon >/dev/null && command -v parec >/dev/null
}

# start_pipewire: PipeWire, WirePlumber (which wants a session bus: one of
# its own) and PipeWire's PulseAudio server, in a runtime directory of their
# own, with a 44.1 kHz null sink as the default output. Their pids in
# $PIPEWIRE_PIDS, their logs in $WORK/pipewire*.log.
start_pipewire() {
  export XDG_RUNTIME_DIR="$WORK/pipewire-run" HOME="$WORK/pipewire-home"
  unset PULSE_RUNTIME_PATH
  mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$WORK/dbus.pid") ||
    return 1
  export DBUS_SESSION_BUS_ADDRESS
  PIPEWIRE_PIDS=$(cat "$WORK/dbus.pid")
  pipewire >"$WORK/pipewire.log" 2>&1 &
  PIPEWIRE_PIDS="$PIPEWIRE_PIDS $!"
  sleep 0.5
  wireplumber >"$WORK/pipewire-wireplumber.log" 2>&1 &
  PIPEWIRE_PIDS="$PIPEWIRE_PIDS $!"
  pipewire-pulse >"$WORK/pipewire-pulse.log" 2>&1 &
  PIPEWIRE_PIDS="$PIPEWIRE_PIDS $!"
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
  pactl load-module module-null-sink sink_name=null rate=44100 channels=2 >/dev/null || return 1
  for _ in $(seq 100); do pactl info 2>/dev/null | grep -q 'Default Sink: null' && return 0; sleep 0.05; done
  pactl set-default-sink null
}

stop_pipewire() { [ -z "${PIPEWIRE_PIDS:-}" ] || kill $PIPEWIRE_PIDS 2>/dev/null || true; PIPEWIRE_PIDS=""; }

# write_click_media DIR [END]: music.mp3, silent but for 4 ms clicks at the
# cuts, and test.snc with the patterns' ends on them; the demo ends at END.
write_click_media() {
  local dir=$1 end=${2:-14}
  python3 - "$dir" "$end" $AV_CLICKS <<'PY'
import math, struct, sys
dir, end, clicks = sys.argv[1], float(sys.argv[2]), [float(c) for c in sys.argv[3:]]
rate = 44100
n = int((end + 1.5) * rate)
pcm = bytearray(4 * n)
for c in clicks:
    at = round(c * rate)
    for i in range(rate * 4 // 1000):
        s = int(26000 * math.sin(2 * math.pi * 2000 * i / rate))
        struct.pack_into('<hh', pcm, 4 * (at + i), s, s)
open(dir + '/clicks.raw', 'wb').write(pcm)
if len(clicks) == 5:
    o, s, p, w, l = clicks
    lake = [w + (l - w) * (k + 1) / 12 for k in range(12)]
    ends = [o, s, (s + p) / 2, p, (p + w) / 2, w] + lake + [end]
    open(dir + '/test.snc', 'wb').write(struct.pack('<19f', *ends) + bytes(1616 - 76))
PY
  ffmpeg -loglevel error -y -f s16le -ar 44100 -ac 2 -i "$dir/clicks.raw" -c:a libmp3lame -b:a 192k \
    "$dir/music.mp3" && rm "$dir/clicks.raw"
}

# use_track_clicks DIR: clicks on every pattern end of DIR/test.snc, which
# stays; AV_CLICKS becomes those ends but the last, where the demo and its
# sound stop (the cuts within a scene among them), and the run may take
# until half a minute past it.
use_track_clicks() {
  local ends end
  ends=$(python3 - "$1/test.snc" <<'PY'
import struct, sys
ends = struct.unpack_from('<19f', open(sys.argv[1], 'rb').read())
print(' '.join('%.6f' % e for e in ends))
PY
)
  end=$(echo "$ends" | awk '{print $NF}')
  AV_CLICKS=$(echo "$ends" | awk '{NF--; print}')
  AV_TIMEOUT=$(awk -v e="$end" 'BEGIN {print int(e) + 30}')
  cp "$1/test.snc" "$1/test.snc.kept"
  write_click_media "$1" "$end"
  mv "$1/test.snc.kept" "$1/test.snc"
}

# record_sink OUT: records the sink's monitor into OUT.raw, with each read's
# monotonic time in OUT.times; in the background, $RECORDER its pid.
record_sink() {
  parec -d null.monitor --latency-msec=20 --format=s16le --rate=44100 --channels=2 --raw |
    python3 "$AV_DIR/record.py" "$1.raw" "$1.times" &
  RECORDER=$!
  # An idle null sink renders two-second blocks: a stream that joins before
  # the block ends waits for it. The recorder's own latency holds the sink
  # to 20 ms blocks from then on.
  sleep 2.2
}

stop_recording() {
  pkill -u "$(id -u)" -x parec 2>/dev/null || true
  wait "$RECORDER" 2>/dev/null || true
}

# busy_loops N [NICE]: N shell loops that never sleep, at that niceness (a
# negative one, as root, puts them before the demo); their pids in $BUSY.
busy_loops() {
  BUSY=""
  for _ in $(seq "$1"); do
    nice -n "${2:-0}" bash -c 'while :; do :; done' &
    BUSY="$BUSY $!"
  done
}

stop_busy_loops() { [ -z "${BUSY:-}" ] || kill $BUSY 2>/dev/null || true; BUSY=""; }

# play_through_server NAME [DEMO ARGS...]: the real demo, fullscreen on an
# 800x600 Xvfb, through SDL's pulseaudio driver, its sound recorded; leaves
# $WORK/NAME.{raw,times,frames,log}. Its status is the demo's.
play_through_server() {
  local name=$1; shift
  local status=0
  record_sink "$WORK/$name"
  SDL_AUDIODRIVER=${AV_SDL_DRIVER:-pulseaudio} DEMO_STATS=1 DEMO_FRAME_LOG="$WORK/$name.frames" \
    on_screen 800x600 timeout "${AV_TIMEOUT:-120}" "$DEMO" "$@" >"$WORK/$name.log" 2>&1 || status=$?
  sleep 0.3
  stop_recording
  return "$status"
}

# analyse_run NAME [--drift-only]: the clicks heard and the cuts shown
# (tests/av/av_sync.py).
analyse_run() {
  python3 "$AV_DIR/av_sync.py" ${2:-} "$WORK/$1" $AV_CLICKS
}
