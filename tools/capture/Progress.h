// Progress: a one-line bar with the time left, on stderr when it is a
// terminal; silent otherwise, so logs and pipes get no control characters.
// Needs: platform/Process (terminal checks).
#pragma once
#include <chrono>
#include <string>

// The bar's text for `done` of `total` frames after `elapsed` seconds, at
// most `columns` characters.
std::string ProgressLine(long long done, long long total, double elapsed, int columns);
// "1:05" or "1:02:03".
std::string Clock(double seconds);

class TProgressBar {
 public:
  explicit TProgressBar(long long total);
  void Update(long long done);  // redraws at most ten times a second
  void Finish();                // clears the line

 private:
  long long Total;
  bool Enabled;
  std::chrono::steady_clock::time_point Began, LastDrawn;
};
