// Clock: the machine's counters, behind a swappable source so that tests and
// the capture tool can drive the demo's time.
// Mechanism: the backend's counters (MachineCounterSource): SDL's
// performance counter on the desktop, the audio clock in a browser.
#pragma once
#include <cstdint>

struct TCounterSource {
  // Ticks per second of the high-resolution counter; false when there is none.
  bool (*Frequency)(std::uint64_t* ticksPerSecond);
  std::uint64_t (*Counter)();
  std::uint32_t (*TickCount)();  // milliseconds
};

// nullptr restores the machine's own counters.
void SetCounterSource(const TCounterSource* source);

bool CounterFrequency(std::uint64_t* ticksPerSecond);
std::uint64_t CounterValue();
std::uint32_t TickCount();

// The machine's own counters, as the backend reads them.
const TCounterSource& MachineCounterSource();
