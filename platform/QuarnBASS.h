// QuarnBASS: music playback through a small numbered table of samples.
// Mechanism: SDL2_mixer at 44100 Hz on the default device; a sample is a
// whole file decoded in memory, with at most 3 playbacks of it at once, a new
// one taking over the one that has played longest. An MP3 file is decoded
// on a thread (platform/Mp3Stream) while it already plays, so loading it
// takes a few milliseconds instead of a fraction of a second.
// In a browser (platform/web/WebAudio): Web Audio, each file decoded by the
// browser before the demo starts. The table's rules are platform/SampleTable.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int MaxSamples = 128;
constexpr int PlaybacksPerSample = 3;

// The mixer's buffer, 23.2 ms: through a sound server a smaller one runs
// dry whenever the mixer's thread waits its turn for a few milliseconds, as
// it does beside a software GL on a busy machine; SDL_mixer keeps the size
// asked for, and SDL asks the server for about one buffer.
constexpr int MixerBufferFrames = 1024;

bool InitAudio(void* window);
// Seconds from the mixer taking a sound to its being heard: the buffer it
// mixes into is played after the one playing now, and the offset set below
// on top. 0 with no device open.
double OutputLatency();
// The output's own delay that the device does not report (Bluetooth, an
// HDMI receiver), in seconds: positive, the sound comes later. Added to
// OutputLatency; the clock follows it.
void SetAudioOffset(double seconds);
// Seconds on the demo's clock (while a sound plays, the sound as heard) from
// its last reading until the playback `handle` begins to be heard; negative
// once it has; 0 for no playback.
double PlaybackHeardIn(std::int32_t handle);
// Index of the new sample (0 first), or -1 without using up an index.
std::int32_t LoadSample(const std::string& fileName);
// The sample `index` read again from the file (its playbacks stopped),
// for a file changed on disk; false, the sample kept as it was, when the
// file cannot be loaded.
bool ReloadSample(std::int32_t index, const std::string& fileName);
// The same from a sound file's bytes in memory (a WAV the program made);
// in a browser, only bytes the page decoded before the start.
std::int32_t LoadSampleBytes(const std::vector<std::uint8_t>& bytes);
// Handle of the playback (non-zero), or 0 when nothing plays; an index no
// successful load returned does nothing.
std::int32_t PlaySample(std::int32_t index, std::int32_t volume, std::int32_t pan);
// The same from `seconds` into the sample (nothing plays past its end).
std::int32_t PlaySampleFrom(std::int32_t index, std::int32_t volume, std::int32_t pan, double seconds);

std::int32_t SampleCount();

// A loaded sample's sound as the mixer plays it: 16-bit interleaved PCM.
struct TDecodedSound {
  const std::int16_t* Pcm = nullptr;
  std::size_t Frames = 0;
  int Channels = 0, Rate = 0;
};
// The sound once all of it is decoded (an MP3 decodes while it plays);
// false before, for an index no load returned, and in a browser, whose
// decoded sounds stay with the page.
bool DecodedSound(std::int32_t index, TDecodedSound& sound);
// Hand-overs to the device that came after the sound before them had run
// out, since the last InitAudio that opened it (kept after ShutdownAudio);
// -1 when none was opened, or for SDL's silent drivers, which play nothing.
long AudioUnderruns();
// Closes the audio device and forgets every sample (tests start afresh).
void ShutdownAudio();

// Stops every playback of the sample (for pausing); an index no successful
// load returned does nothing.
void StopSample(std::int32_t index);
