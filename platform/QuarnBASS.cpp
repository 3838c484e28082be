// QuarnBASS: SDL2_mixer chunks and channels. Sample i owns the mixer
// channels 3i .. 3i+2, so its playbacks never take another sample's.
#include "platform/QuarnBASS.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>

#include "platform/Files.h"

namespace {
Mix_Chunk* Samples[MaxSamples] = {};
std::int32_t Count = 0;
bool Open = false;
// When each channel's playback started, to find the oldest one.
std::uint64_t StartedAt[MaxSamples * PlaybacksPerSample] = {};
std::uint64_t PlayCounter = 0;
}  // namespace

bool InitAudio(void* /*window*/) {
  if (Open) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Open = true;
  return true;
}

std::int32_t LoadSample(const std::string& fileName) {
  if (Count >= MaxSamples) return -1;
  Mix_Chunk* chunk = nullptr;
  if (SDL_RWops* file = Open ? SDL_RWFromFile(ResolvePath(fileName).c_str(), "rb") : nullptr) {
    // Closed here: SDL_mixer 2.6 loses the stream of a file it cannot decode.
    chunk = Mix_LoadWAV_RW(file, 0);
    SDL_RWclose(file);
  }
  if (Samples[Count]) Mix_FreeChunk(Samples[Count]);  // a failed load's slot is reused
  Samples[Count] = chunk;
  if (!chunk) return -1;
  Mix_AllocateChannels((Count + 1) * PlaybacksPerSample);
  return Count++;
}

std::int32_t PlaySample(std::int32_t index, std::int32_t volume, std::int32_t pan) {
  if (!Open || index < 0 || index >= Count || !Samples[index]) return 0;
  const int first = index * PlaybacksPerSample;
  int channel = -1;
  for (int c = first; c < first + PlaybacksPerSample && channel < 0; ++c)
    if (!Mix_Playing(c)) channel = c;
  if (channel < 0)
    channel = static_cast<int>(std::min_element(StartedAt + first, StartedAt + first + PlaybacksPerSample) -
                               StartedAt);
  Mix_HaltChannel(channel);
  Mix_Volume(channel, std::clamp(volume, 0, 100) * MIX_MAX_VOLUME / 100);
  const int p = std::clamp(pan, -100, 100);
  Mix_SetPanning(channel, static_cast<Uint8>(std::min(255, 255 - p * 255 / 100)),
                 static_cast<Uint8>(std::min(255, 255 + p * 255 / 100)));
  if (Mix_PlayChannel(channel, Samples[index], 0) < 0) return 0;
  StartedAt[channel] = ++PlayCounter;
  return channel + 1;
}

std::int32_t SampleCount() { return Count; }

void ShutdownAudio() {
  if (Open) {
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& s : Samples) {
      if (s) Mix_FreeChunk(s);
      s = nullptr;
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  Open = false;
  Count = 0;
  PlayCounter = 0;
  std::fill(std::begin(StartedAt), std::end(StartedAt), 0);
}
