// SampleTable: plain sums over the table; the backend owns the sound.
#include "platform/SampleTable.h"

#include <algorithm>
#include <cmath>

std::int32_t NextSampleIndex(const TSampleTable& table) { return table.Count < MaxSamples ? table.Count : -1; }

void SampleLoaded(TSampleTable& table) {
  if (table.Count < MaxSamples) ++table.Count;
}

bool SampleLoadedAt(const TSampleTable& table, std::int32_t index) { return index >= 0 && index < table.Count; }

int FirstChannel(std::int32_t index) { return index * PlaybacksPerSample; }

int ChooseChannel(const TSampleTable& table, std::int32_t index, bool (*playing)(int channel)) {
  const int first = FirstChannel(index);
  for (int c = first; c < first + PlaybacksPerSample; ++c)
    if (!playing(c)) return c;
  const std::uint64_t* started = table.StartedAt + first;
  return first + static_cast<int>(std::min_element(started, started + PlaybacksPerSample) - started);
}

std::int32_t PlaybackStarted(TSampleTable& table, int channel) {
  table.StartedAt[channel] = ++table.Playbacks;
  return channel + 1;
}

int VolumePercent(std::int32_t volume) { return std::clamp(volume, 0, 100); }

TPanLevels PanLevels(std::int32_t pan) {
  const int p = std::clamp(pan, -100, 100);
  return {std::min(255, 255 - p * 255 / 100), std::min(255, 255 + p * 255 / 100)};
}

std::size_t OffsetFrames(double seconds, int rate) {
  if (!(seconds > 0) || rate <= 0) return 0;
  return static_cast<std::size_t>(std::floor(seconds * rate));
}
