// QuarnBASS: music playback through a small numbered table of samples.
// Mechanism: SDL2_mixer at 44100 Hz on the default device; a sample is a
// whole file decoded in memory, with at most 3 playbacks of it at once, a new
// one taking over the one that has played longest. An MP3 file is decoded
// on a thread (platform/Mp3Stream) while it already plays, so loading it
// takes a few milliseconds instead of a fraction of a second.
// In a browser (platform/web/WebAudio): Web Audio, each file decoded by the
// browser before the demo starts. The table's rules are platform/SampleTable.
#pragma once
#include <cstdint>
#include <string>

constexpr int MaxSamples = 128;
constexpr int PlaybacksPerSample = 3;

// The mixer's buffer: 512 frames, 11.6 ms, the smallest that plays the
// streamed music without drop-outs; SDL_mixer keeps the size asked for.
constexpr int MixerBufferFrames = 512;

bool InitAudio(void* window);
// Seconds from the mixer taking a sound to its being heard: the buffer it
// mixes into is played after the one playing now. 0 with no device open.
double OutputLatency();
// Index of the new sample (0 first), or -1 without using up an index.
std::int32_t LoadSample(const std::string& fileName);
// Handle of the playback (non-zero), or 0 when nothing plays; an index no
// successful load returned does nothing.
std::int32_t PlaySample(std::int32_t index, std::int32_t volume, std::int32_t pan);
// The same from `seconds` into the sample (nothing plays past its end).
std::int32_t PlaySampleFrom(std::int32_t index, std::int32_t volume, std::int32_t pan, double seconds);

std::int32_t SampleCount();
// Closes the audio device and forgets every sample (tests start afresh).
void ShutdownAudio();

// Stops every playback of the sample (for pausing); an index no successful
// load returned does nothing.
void StopSample(std::int32_t index);
