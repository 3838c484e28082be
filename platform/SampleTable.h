// SampleTable: the rules of QuarnBASS's numbered samples that every audio
// backend keeps: indexes in load order (a failed load uses none up), sample
// i owning playback channels 3i .. 3i+2, a new playback taking the first idle
// one or else the one that has played longest, handles (channel + 1), and
// the mixer's sums for volume, panning and a start from within.
// Needs: nothing (plain numbers); the backend says which channels play.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/QuarnBASS.h"

constexpr int PlaybackChannels = MaxSamples * PlaybacksPerSample;

struct TSampleTable {
  std::int32_t Count = 0;  // samples loaded
  std::uint64_t StartedAt[PlaybackChannels] = {};  // when each channel's playback began
  std::uint64_t Playbacks = 0;
};

// The index the next load takes, or -1 when the table is full.
std::int32_t NextSampleIndex(const TSampleTable& table);
// The load into NextSampleIndex worked: the index is used from now on.
void SampleLoaded(TSampleTable& table);
bool SampleLoadedAt(const TSampleTable& table, std::int32_t index);

// The first of the sample's channels.
int FirstChannel(std::int32_t index);
// The channel a new playback of a loaded sample takes.
int ChooseChannel(const TSampleTable& table, std::int32_t index, bool (*playing)(int channel));
// The playback on `channel` has begun; its handle.
std::int32_t PlaybackStarted(TSampleTable& table, int channel);

// Volume in percent, 0 to 100.
int VolumePercent(std::int32_t volume);
// Each side's level, 0 to 255, for a pan from -100 (left) to 100 (right):
// the far side fades, the near one stays whole.
struct TPanLevels {
  int Left = 255, Right = 255;
};
TPanLevels PanLevels(std::int32_t pan);
// Whole frames from the start to `seconds` at `rate`; 0 for a start at or
// before the beginning.
std::size_t OffsetFrames(double seconds, int rate);
