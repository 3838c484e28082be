// FrameStats: the frame-rate statistics switch. With DEMO_STATS set in the
// environment the program notes the moment each frame is presented and, at
// exit, prints for every scene the frames presented per second and the
// median and 99th-percentile time between presents, and how long after
// `main` began the first frame was presented. With DEMO_FRAME_LOG=FILE it
// also writes, at exit, one line a presented frame: the monotonic clock's
// nanoseconds when it was presented, its demo time, its pattern, when its
// clock was read (nanoseconds) and the lead its time was read with (the
// picture-against-sound tests read it beside a recording of the sound).
// Needs: driver/DemoScenes.
#pragma once
#include <cstdio>
#include <vector>

// Notes the program's start; call first thing in main. Reads DEMO_STATS.
void FrameStatsBegin();
// A frame of `pattern` at demo time `time`, read `lead` seconds ahead of
// the music at steady-clock second `readAt`, has just been presented.
void FrameStatsPresented(int pattern, float time, double readAt = 0, double lead = 0);
// The table, when statistics are on; nothing otherwise.
void FrameStatsReport(std::FILE* out);

// The p-th percentile (nearest rank) of a non-empty list.
double Percentile(std::vector<double> values, double p);
