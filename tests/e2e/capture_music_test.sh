# The captured video carries the music from demo time 0: a tone that starts
# 1 s into "music.mp3" starts 1 s into a full video, 0.6 s into one that
# starts at 0.4 s (or at pattern 2), and the music ends with the last frame;
# --mute gives none.
source "$(dirname "$0")/lib.sh"
CAPTURE="$(readlink -f "$2")/capture"
write_snc "$WORK/data/test.snc" $(seq 0.2 0.2 3.8)  # pattern 18 ends at 3.8 s
ffmpeg -v error -f lavfi -i "aevalsrc='if(gte(t,1),0.5*sin(2*PI*440*t),0)':s=44100:d=8" \
  -c:a libmp3lame -b:a 128k "$WORK/data/music.mp3" || fail "cannot make the test music"

onset() {
  ffprobe -v error -f lavfi -i "amovie=$1,silencedetect=n=-30dB:d=0.1" \
    -show_entries frame_tags=lavfi.silence_end -of csv=p=0 | grep -v '^$' | head -n 1
}
audio_end() {
  ffprobe -v error -select_streams a -show_entries packet=pts_time,duration_time -of csv=p=0 "$1" |
    awk -F, 'NF >= 2 { end = $1 + $2 } END { print end }'
}
frames() { ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of csv=p=0 "$1"; }
near() { awk -v a="$1" -v b="$2" -v tol="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= tol) }'; }
check() {  # FILE FRAMES ONSET END
  local n on end
  n=$(frames "$1"); on=$(onset "$1"); end=$(audio_end "$1")
  echo "$(basename "$1"): $n frames, tone at $on s, music ends at $end s"
  [ "$n" = "$2" ] || fail "$1: $n frames, not $2"
  near "$on" "$3" 0.03 || fail "$1: the tone starts at ${on:-never} s, not $3 s"
  near "$end" "$4" 0.05 || fail "$1: the music ends at ${end:-never} s, not $4 s"
}

# Frames 0 to 39: the frame at 3.9 s is the timeup frame, the last one.
"$CAPTURE" --data "$WORK" --fps 10 --size 160x120 --codec ffv1 --video "$WORK/full.mkv" || fail "capture failed"
check "$WORK/full.mkv" 40 1.0 4.0
"$CAPTURE" --data "$WORK/data" --fps 10 --size 160x120 --codec ffv1 --start 0.4 --video "$WORK/late.mkv" ||
  fail "capture from 0.4 s failed"
check "$WORK/late.mkv" 36 0.6 3.6
# H.264 with AAC: the encoder's priming delay must not shift the music.
"$CAPTURE" --data "$WORK" --fps 10 --size 160x120 --end 2.95 --video "$WORK/short.mp4" || fail "mp4 capture failed"
check "$WORK/short.mp4" 30 1.0 3.0
start=$(ffprobe -v error -select_streams a -show_entries stream=start_time -of csv=p=0 "$WORK/short.mp4")
near "$start" 0 0.001 || fail "the mp4's music starts at $start s"
# --pattern 2: the first frame showing pattern 2 is the one at 0.5 s (at
# 0.4 s pattern 1 still holds, its end being its own); --mute leaves the music out.
"$CAPTURE" --data "$WORK" --fps 10 --size 160x120 --codec ffv1 --pattern 2 --video "$WORK/pattern.mkv" ||
  fail "capture from pattern 2 failed"
check "$WORK/pattern.mkv" 35 0.5 3.5
"$CAPTURE" --data "$WORK" --fps 10 --size 160x120 --codec ffv1 --mute --end 1 --video "$WORK/mute.mkv" ||
  fail "muted capture failed"
[ -z "$(ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 "$WORK/mute.mkv")" ] ||
  fail "--mute left an audio stream"
echo "passed: music in step with the frames"
