// QTimer: the demo's clock. Reads the platform's high-resolution counter (or
// the millisecond tick count where there is none) and gives seconds.
// Needs: platform/Clock.
#pragma once
#include <cstdint>

class TQTimer {
 public:
  float Period = 0;     // seconds per counter tick
  bool HighRes = false;  // high-resolution counter, else millisecond ticks
  float StartTime = 0;  // counter time in seconds at Start
  float LastTime = 0;   // counter time in seconds at the last Elapsed
  float Delta = 0;      // seconds between the last two Elapsed calls

  TQTimer();  // chooses the counter; does not start
  float Seconds();
  void Start();
  float Elapsed();  // seconds since Start; updates Delta and LastTime

 private:
  // Raw counter readings: only their differences become seconds, so that a
  // counter that has run for days keeps its full resolution.
  std::uint64_t StartCount = 0;
  std::uint64_t LastCount = 0;
  std::uint64_t ReadCounter();
  float ToSeconds(std::uint64_t ticks) const;
};
