// QTimer: differences of raw 64-bit counter readings, turned into seconds.
#include "sync/QTimer.h"

#include "platform/Clock.h"

TQTimer::TQTimer() {
  std::uint64_t frequency = 0;
  if (CounterFrequency(&frequency) && frequency != 0) {
    HighRes = true;
    Period = static_cast<float>(1.0L / static_cast<long double>(frequency));
  } else {
    HighRes = false;
    Period = 0.001f;
  }
}

std::uint64_t TQTimer::ReadCounter() { return HighRes ? CounterValue() : std::uint64_t{TickCount()}; }

float TQTimer::ToSeconds(std::uint64_t ticks) const {
  return static_cast<float>(static_cast<long double>(ticks) * Period);
}

float TQTimer::Seconds() { return ToSeconds(ReadCounter()); }

void TQTimer::Start() {
  StartCount = ReadCounter();
  LastCount = StartCount;
  StartTime = LastTime = ToSeconds(StartCount);
}

float TQTimer::Elapsed() {
  // Each step takes a reading of its own, in this order.
  const std::uint64_t first = ReadCounter();
  const float result = ToSeconds(first - StartCount);
  const std::uint64_t second = ReadCounter();
  Delta = ToSeconds(second - LastCount);
  LastCount = ReadCounter();
  LastTime = ToSeconds(LastCount);
  return result;
}
