// BenchDemo: the start shared by the benchmarks that run the whole demo
// headless on the fixed-step frame clock: their command line ([--data DIR]
// and options of their own) and the demo's start-up.
// Needs: driver/, tools/capture (DemoSetup, FrameClock).
#pragma once
#include <initializer_list>
#include <string>

// A whole-number option (Value) or, with Text set instead, a word.
struct TBenchOption {
  const char* Name;  // "--frames"
  int Min, Max;
  int* Value;        // holds the default; the given value replaces it
  std::string* Text = nullptr;
};

// False (after showing the usage with the reason) for a bad command line.
bool ParseBenchArgs(int argc, char** argv, const char* tool, std::string& dir,
                    std::initializer_list<TBenchOption> options);

// Headless drivers, the demo's directory, the frame clock, the start-up,
// the frame drawn at `scale` with `samples` (one pixel a unit, none, by
// default). False after a message when any of them fails.
bool StartBenchDemo(const char* tool, const std::string& dir, double scale = 1, int samples = 0);
// Shuts the demo down and gives the clock back.
void EndBenchDemo();
