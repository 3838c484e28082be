// FrameStats: the frame-rate statistics switch. With DEMO_STATS set in the
// environment the program notes the moment each frame is presented and, at
// exit, prints for every scene the frames presented per second and the
// median and 99th-percentile time between presents, and how long after
// `main` began the first frame was presented.
// Needs: driver/DemoScenes.
#pragma once
#include <cstdio>
#include <vector>

// Notes the program's start; call first thing in main. Reads DEMO_STATS.
void FrameStatsBegin();
// A frame of `pattern` has just been presented.
void FrameStatsPresented(int pattern);
// The table, when statistics are on; nothing otherwise.
void FrameStatsReport(std::FILE* out);

// The p-th percentile (nearest rank) of a non-empty list.
double Percentile(std::vector<double> values, double p);
