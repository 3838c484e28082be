#!/usr/bin/env python3
"""Clicks heard against cuts shown, from one recorded run of the demo.

av_sync.py [--drift-only] RUN CLICK_SECONDS...

RUN.raw and RUN.times are the sink's monitor as recorded (record.py): each
read's monotonic nanoseconds and the bytes read so far. A block of sound
reaches the monitor when the sink plays its first frame, so a frame is heard
at its read's time plus its place in that read. RUN.frames is the demo's
frame log (DEMO_FRAME_LOG): per presented frame, monotonic nanoseconds, demo
time, pattern, when its clock was read and the lead it was read with.

Prints, per click, when it was heard less when its cut was shown
(negative: the picture is late) and the demo time on screen at the click
less the click's own time; then the median and worst offset, as
"offsets_ms median M worst W", and "drift_ms D frame_ms F screen_ms S":
D is the music's drift over the run, the largest spread of the demo's clock
(as the music, before the picture's lead; between the frames' readings)
at the clicks less the clicks' times; F the display's frame (the stay of
the run's quicker frames); S the same spread of the time on screen.
"""
import array
import bisect
import sys

RATE = 44100


def scene_of(pattern):
    for last, name in ((0, 'opening'), (1, 'still'), (3, 'picture'), (5, 'wombat'), (17, 'lakris'), (18, 'finale')):
        if pattern <= last:
            return name
    return 'end'


def heard_clicks(run, count):
    data = open(run + '.raw', 'rb').read()
    pcm = array.array('h')
    pcm.frombytes(data[:len(data) // 4 * 4])
    reads = [tuple(map(int, line.split())) for line in open(run + '.times')]
    ends = [size // 4 for _, size in reads]

    def heard_ns(frame):
        i = bisect.bisect_right(ends, frame)
        first = ends[i - 1] if i else 0
        return reads[min(i, len(reads) - 1)][0] + (frame - first) * 1e9 / RATE

    onsets, frame, frames = [], 0, len(pcm) // 2
    while frame < frames and len(onsets) < count:
        if abs(pcm[2 * frame]) > 8000:
            onsets.append(heard_ns(frame))
            frame += RATE // 4
        else:
            frame += 1
    return onsets


def main():
    args = sys.argv[1:]
    drift_only = args[0] == '--drift-only'  # clicks that are not all cuts
    if drift_only:
        args = args[1:]
    run, clicks = args[0], [float(c) for c in args[1:]]
    shown = [tuple(float(x) for x in line.split()) for line in open(run + '.frames')]
    times = [f[0] for f in shown]
    cuts = []
    for (ns, _, pattern, *_), (_, _, before, *_) in zip(shown[1:], shown):
        if scene_of(pattern) != scene_of(before):
            cuts.append((ns, scene_of(before), scene_of(pattern)))
    heard = heard_clicks(run, len(clicks))
    if len(heard) < len(clicks):
        print('only %d of %d clicks heard' % (len(heard), len(clicks)))
        return 1
    if drift_only:
        cuts = [(h, '-', '-') for h in heard]
    elif len(cuts) < len(clicks):
        print('only %d of %d cuts shown' % (len(cuts), len(clicks)))
        return 1
    # A log without readings (an older demo): as if read when presented.
    reads = [(f[3], f[1] - f[4]) if len(f) >= 5 and f[3] > 0 else (f[0], f[1]) for f in shown]
    read_times = [r for r, _ in reads]
    offsets, leads, drifts = [], [], []
    for click, h, (ns, before, after) in zip(clicks, heard, cuts):
        i = bisect.bisect_right(times, h) - 1  # the frame on screen when it was heard
        lead = (shown[i][1] - click) * 1000 if i >= 0 else float('nan')
        j = bisect.bisect_right(read_times, h) - 1
        if 0 <= j < len(reads) - 1:
            # The music's clock between two frames' readings.
            (r0, m0), (r1, m1) = reads[j], reads[j + 1]
            drifts.append((m0 + (m1 - m0) * (h - r0) / (r1 - r0) - click) * 1000)
        offsets.append((h - ns) / 1e6)
        leads.append(lead)
        if drift_only:
            print('click %6.2f s  on screen %+7.1f ms' % (click, lead))
        else:
            print('click %6.2f s  %-7s -> %-7s  heard - shown %+7.1f ms  on screen %+7.1f ms' %
                  (click, before, after, offsets[-1], lead))
    if not drift_only:
        ordered = sorted(offsets)
        worst = max(offsets, key=abs)
        print('offsets_ms median %+.1f worst %+.1f' % (ordered[len(ordered) // 2], worst))
    if len(drifts) < len(clicks):
        print('the clock was not read around every click')
        return 1
    # The display's frame: the stay of the run's quicker frames.
    gaps = sorted((b - a) / 1e6 for a, b in zip(times, times[1:]))
    frame_ms = gaps[len(gaps) // 10]
    print('drift_ms %.1f frame_ms %.1f screen_ms %.1f' % (max(drifts) - min(drifts), frame_ms, max(leads) - min(leads)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
