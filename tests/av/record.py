#!/usr/bin/env python3
# record.py OUT.raw OUT.times: copies stdin (parec's raw s16le stereo) to OUT.raw
# and, for each read, the monotonic nanoseconds and the bytes read so far.
import os, sys, time
raw = open(sys.argv[1], 'wb'); times = open(sys.argv[2], 'w')
total = 0
fd = sys.stdin.fileno()
while True:
    b = os.read(fd, 1 << 16)
    now = time.monotonic_ns()
    if not b: break
    raw.write(b); total += len(b)
    times.write('%d %d\n' % (now, total))
