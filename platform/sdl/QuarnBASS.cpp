// QuarnBASS: SDL2_mixer chunks and channels. Sample i owns the mixer
// channels 3i .. 3i+2 (platform/SampleTable), so its playbacks never take
// another sample's.
// An MP3 sample is decoded while it plays: its chunk is silence of the
// sound's length, and an effect on each of its channels puts the decoded
// sound in place of that silence as the mixer reaches it.
// The mixer's post-mix hook, at the end of each buffer it hands the device,
// feeds the audio clock (platform/AudioClock) that the demo's counter reads
// while a sound plays (MixerClock). Lock order: the mixer's device, then
// ClockLock; the demo's thread takes ClockLock alone.
#include "platform/QuarnBASS.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/AudioClock.h"
#include "platform/Files.h"
#include "platform/sdl/MixerClock.h"
#include "platform/sdl/Mp3Stream.h"
#include "platform/SampleTable.h"

namespace {
struct TStreamed {
  std::unique_ptr<TMp3Stream> Stream;
  void* Silence = nullptr;  // the chunk's bytes; zero pages until read
};

// One playback of a streamed sample: where on the sound the mixer is.
struct TStreamPlayback {
  const TMp3Stream* Stream;
  std::size_t Position = 0;
};

Mix_Chunk* Samples[MaxSamples] = {};
// Never destroyed: at exit without ShutdownAudio the mixer's thread may
// still be reading a stream while static objects are destroyed.
TStreamed* const Streamed = new TStreamed[MaxSamples];
TSampleTable Table;
bool Open = false;
// A channel's chunk when it plays from within a sample: it borrows the
// sample's bytes and goes when the channel is played again or closed.
Mix_Chunk* Tails[PlaybackChannels] = {};

void FreeTail(int channel) {
  if (Tails[channel]) Mix_FreeChunk(Tails[channel]);
  Tails[channel] = nullptr;
}

// Bytes from the start of a sample to `seconds`, whole frames, at most `size`.
std::size_t OffsetBytes(double seconds, std::size_t size) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&rate, &format, &channels)) return 0;
  const std::size_t frame = static_cast<std::size_t>(channels) * (SDL_AUDIO_BITSIZE(format) / 8);
  return std::min(size, OffsetFrames(seconds, rate) * frame);
}

bool MixerPlays(int channel) { return Mix_Playing(channel) != 0; }

std::mutex ClockLock;
TAudioClock Clock;
int FrameBytes = 4;
double AudioOffset = 0;  // seconds the output adds beyond what SDL sees
// The output frame where each channel's latest playback begins.
double StartFrame[PlaybackChannels] = {};
// The mixer's device, locked around a start so that no buffer is mixed
// between the playback's start and the note of where it begins; 0: unknown.
SDL_AudioDeviceID MixerDevice = 0;
long LastUnderruns = -1;
bool ClockFed = false;  // a device that plays hands over to the clock

void HandOver(void*, Uint8*, int length) {
  const std::uint64_t now = SDL_GetPerformanceCounter();
  const std::lock_guard<std::mutex> hold(ClockLock);
  AudioClockHandOver(Clock, static_cast<std::uint32_t>(length / FrameBytes), now);
}

double LatencyFrames(int rate) {
  // What the mixer hands over now plays after the buffer playing now.
  return 2.0 * MixerBufferFrames + AudioOffset * rate;
}

// SDL_mixer keeps its device's id to itself; it is the one device playing.
SDL_AudioDeviceID FindMixerDevice() {
  for (SDL_AudioDeviceID id = 2; id < 16; ++id)
    if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) return id;
  return 0;
}
}  // namespace

bool InitAudio(void* /*window*/) {
  if (Open) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, MixerBufferFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  {
    const std::lock_guard<std::mutex> hold(ClockLock);
    FrameBytes = std::max(1, channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8));
    TAudioClockSetup setup;
    setup.Rate = rate;
    setup.CounterFrequency = static_cast<double>(SDL_GetPerformanceFrequency());
    setup.LatencyFrames = LatencyFrames(rate);
    ReopenAudioClock(Clock, setup);
  }
  MixerDevice = FindMixerDevice();
  // SDL's silent drivers hand over on a timer of their own, not as a
  // device plays: the demo's timer keeps the time better there.
  const char* driver = SDL_GetCurrentAudioDriver();
  ClockFed = !driver || (std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "disk") != 0);
  if (ClockFed) Mix_SetPostMix(HandOver, nullptr);
  Open = true;
  return true;
}

double OutputLatency() {
  if (!Open) return 0;
  const std::lock_guard<std::mutex> hold(ClockLock);
  return Clock.Setup.LatencyFrames / Clock.Setup.Rate;
}

void SetAudioOffset(double seconds) {
  AudioOffset = seconds;
  if (!Open) return;
  const std::lock_guard<std::mutex> hold(ClockLock);
  Clock.Setup.LatencyFrames = LatencyFrames(static_cast<int>(Clock.Setup.Rate));
}

double PlaybackHeardIn(std::int32_t handle) {
  const int channel = handle - 1;
  if (!Open || channel < 0 || channel >= PlaybackChannels) return 0;
  const std::lock_guard<std::mutex> hold(ClockLock);
  return AudioClockSecondsUntil(Clock, StartFrame[channel]);
}

long AudioUnderruns() {
  if (!Open || !ClockFed) return Open ? -1 : LastUnderruns;
  const std::lock_guard<std::mutex> hold(ClockLock);
  return Clock.Underruns;
}

std::uint64_t MixerClockCounter(std::uint64_t now) {
  // Asked outside ClockLock: the mixer takes its device's lock for it.
  const bool plays = Open && Mix_Playing(-1) > 0;
  const std::lock_guard<std::mutex> hold(ClockLock);
  return AudioClockCounter(Clock, now, plays);
}

namespace {
void FreeSlot(int index) {
  if (Samples[index]) Mix_FreeChunk(Samples[index]);
  Samples[index] = nullptr;
  Streamed[index].Stream.reset();
  std::free(Streamed[index].Silence);
  Streamed[index].Silence = nullptr;
}

Mix_Chunk* LoadStreamed(const std::string& path, TStreamed& slot) {
  TAudioFormat output;
  int channels = 0;
  if (!Mix_QuerySpec(&output.Rate, &output.Format, &channels)) return nullptr;
  output.Channels = channels;
  slot.Stream = TMp3Stream::Open(path, output);
  if (!slot.Stream) return nullptr;
  // calloc: fresh zero pages, never written, cost no memory until read.
  slot.Silence = std::calloc(1, slot.Stream->Bytes());
  Mix_Chunk* chunk = slot.Silence ? Mix_QuickLoad_RAW(static_cast<Uint8*>(slot.Silence),
                                                      static_cast<Uint32>(slot.Stream->Bytes()))
                                  : nullptr;
  if (!chunk) {
    slot.Stream.reset();
    std::free(slot.Silence);
    slot.Silence = nullptr;
  }
  return chunk;
}

void StreamEffect(int, void* stream, int length, void* data) {
  auto* playback = static_cast<TStreamPlayback*>(data);
  playback->Stream->Read(playback->Position, static_cast<std::uint8_t*>(stream), static_cast<std::size_t>(length));
  playback->Position += static_cast<std::size_t>(length);
}

void StreamEffectDone(int, void* data) { delete static_cast<TStreamPlayback*>(data); }

// The load into `index` gave `chunk`: the index is used from now on, or
// -1 when there is no chunk.
std::int32_t Loaded(std::int32_t index, Mix_Chunk* chunk) {
  Samples[index] = chunk;
  if (!chunk) return -1;
  Mix_AllocateChannels(FirstChannel(index + 1));
  SampleLoaded(Table);
  return index;
}
}  // namespace

namespace {
Mix_Chunk* ReadSample(const std::string& fileName, TStreamed& streamed) {
  Mix_Chunk* chunk = nullptr;
  const std::string path = ResolvePath(fileName);
  if (Open && LowerExtension(fileName) == ".mp3") chunk = LoadStreamed(path, streamed);
  if (SDL_RWops* file = Open && !chunk ? SDL_RWFromFile(path.c_str(), "rb") : nullptr) {
    // Closed here: SDL_mixer 2.6 loses the stream of a file it cannot decode.
    chunk = Mix_LoadWAV_RW(file, 0);
    SDL_RWclose(file);
  }
  return chunk;
}
}  // namespace

std::int32_t LoadSample(const std::string& fileName) {
  const std::int32_t index = NextSampleIndex(Table);
  if (index < 0) return -1;
  FreeSlot(index);  // a failed load's slot is reused
  return Loaded(index, ReadSample(fileName, Streamed[index]));
}

bool ReloadSample(std::int32_t index, const std::string& fileName) {
  if (!Open || !SampleLoadedAt(Table, index)) return false;
  TStreamed fresh;
  Mix_Chunk* chunk = ReadSample(fileName, fresh);
  if (!chunk) return false;
  StopSample(index);
  FreeSlot(index);
  Samples[index] = chunk;
  Streamed[index].Stream = std::move(fresh.Stream);
  Streamed[index].Silence = fresh.Silence;
  return true;
}

std::int32_t LoadSampleBytes(const std::vector<std::uint8_t>& bytes) {
  const std::int32_t index = NextSampleIndex(Table);
  if (index < 0) return -1;
  FreeSlot(index);
  SDL_RWops* memory = Open ? SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())) : nullptr;
  return Loaded(index, memory ? Mix_LoadWAV_RW(memory, 1) : nullptr);
}

std::int32_t PlaySample(std::int32_t index, std::int32_t volume, std::int32_t pan) {
  return PlaySampleFrom(index, volume, pan, 0);
}

std::int32_t PlaySampleFrom(std::int32_t index, std::int32_t volume, std::int32_t pan, double seconds) {
  if (!Open || !SampleLoadedAt(Table, index) || !Samples[index]) return 0;
  const int channel = ChooseChannel(Table, index, MixerPlays);
  Mix_HaltChannel(channel);  // also drops the channel's effects
  FreeTail(channel);
  Mix_Chunk* chunk = Samples[index];
  const std::size_t offset = OffsetBytes(seconds, chunk->alen);
  if (offset > 0) {
    chunk = Tails[channel] = Mix_QuickLoad_RAW(chunk->abuf + offset, static_cast<Uint32>(chunk->alen - offset));
    if (!chunk) return 0;
  }
  Mix_Volume(channel, VolumePercent(volume) * MIX_MAX_VOLUME / 100);
  // The sound goes in before the panning, which is an effect too.
  if (const TMp3Stream* stream = Streamed[index].Stream.get()) {
    auto* playback = new TStreamPlayback{stream, offset};
    if (!Mix_RegisterEffect(channel, StreamEffect, StreamEffectDone, playback)) {
      delete playback;
      return 0;
    }
  }
  const TPanLevels levels = PanLevels(pan);
  Mix_SetPanning(channel, static_cast<Uint8>(levels.Left), static_cast<Uint8>(levels.Right));
  // The playback begins with the next buffer the mixer hands over.
  SDL_LockAudioDevice(MixerDevice);
  const bool started = Mix_PlayChannel(channel, chunk, 0) >= 0;
  if (started) {
    const std::lock_guard<std::mutex> hold(ClockLock);
    StartFrame[channel] = Clock.Handed;
  }
  SDL_UnlockAudioDevice(MixerDevice);
  if (!started) return 0;
  return PlaybackStarted(Table, channel);
}

std::int32_t SampleCount() { return Table.Count; }

bool DecodedSound(std::int32_t index, TDecodedSound& sound) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (!Open || !SampleLoadedAt(Table, index) || !Samples[index] || !Mix_QuerySpec(&rate, &format, &channels) ||
      format != AUDIO_S16SYS)
    return false;
  const TMp3Stream* stream = Streamed[index].Stream.get();
  if (stream && !stream->Complete()) return false;
  const std::uint8_t* bytes = stream ? stream->Samples() : Samples[index]->abuf;
  const std::size_t size = stream ? stream->Bytes() : Samples[index]->alen;
  sound.Pcm = reinterpret_cast<const std::int16_t*>(bytes);
  sound.Channels = channels;
  sound.Rate = rate;
  sound.Frames = size / (2 * static_cast<std::size_t>(channels));
  return true;
}

void ShutdownAudio() {
  if (Open) {
    LastUnderruns = AudioUnderruns();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    for (int c = 0; c < PlaybackChannels; ++c) FreeTail(c);
    for (int i = 0; i < MaxSamples; ++i) FreeSlot(i);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  Open = false;
  Table = TSampleTable{};
}

void StopSample(std::int32_t index) {
  if (!Open || !SampleLoadedAt(Table, index)) return;
  for (int c = FirstChannel(index); c < FirstChannel(index + 1); ++c) Mix_HaltChannel(c);
}
