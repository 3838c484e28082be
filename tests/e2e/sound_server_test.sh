# The real demo through a sound server of its own: PulseAudio with a null
# sink, SDL's pulseaudio driver, fullscreen on an 800x600 Xvfb, the music a
# click track with a cut on every click. What was heard (the sink's monitor)
# is laid beside the frames the demo presented: at every click, the demo's
# clock (the music's time, between the frames' readings) less the click's
# time may vary over the run by no more than 20 ms and one frame of the
# display, on a quiet machine and with two busy loops beside the demo.
# Skipped where no PulseAudio can be started.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/../av/sound_server.sh"
have_sound_server || { echo "skipped: no pulseaudio, parec or ffmpeg"; exit 77; }
use_generated_media "$2"
write_click_media "$WORK/data"
start_pulseaudio || { echo "skipped: PulseAudio did not start"; exit 77; }
trap 'stop_busy_loops; stop_pulseaudio; rm -rf "$WORK"' EXIT
cd "$WORK"
for run in quiet busy; do
  # AV_BUSY_LOOPS and AV_BUSY_NICE ask for another load.
  [ "$run" = busy ] && busy_loops "${AV_BUSY_LOOPS:-2}" "${AV_BUSY_NICE:-0}"
  status=0
  play_through_server "$run" || status=$?
  stop_busy_loops
  [ "$status" -eq 0 ] || { cat "$WORK/$run.log"; fail "$run: exit status $status"; }
  analyse_run "$run" | tee "$WORK/$run.sync" || fail "$run: clicks or cuts missing"
  read -r _ drift _ frame _ < <(grep "^drift_ms" "$WORK/$run.sync")
  python3 -c "import sys; sys.exit(0 if $drift <= 20 + $frame else 1)" ||
    fail "$run: the music drifted $drift ms from the picture (allowed 20 + $frame)"
  grep '^audio:' "$WORK/$run.log" || true
done
echo "passed: the picture stayed with the music heard through PulseAudio"
