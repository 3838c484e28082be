// Clock: the source a test or tool installed, else the machine's own.
#include "platform/Clock.h"

namespace {
const TCounterSource* Source = nullptr;  // nullptr: the machine's

const TCounterSource& Active() { return Source ? *Source : MachineCounterSource(); }
}  // namespace

void SetCounterSource(const TCounterSource* source) { Source = source; }
bool CounterFrequency(std::uint64_t* ticksPerSecond) { return Active().Frequency(ticksPerSecond); }
std::uint64_t CounterValue() { return Active().Counter(); }
std::uint32_t TickCount() { return Active().TickCount(); }
