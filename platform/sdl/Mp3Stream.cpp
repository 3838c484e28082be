#include "platform/sdl/Mp3Stream.h"

#include <SDL2/SDL.h>
#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

struct TMp3Stream::TDecoder {
  mpg123_handle* Handle = nullptr;
  SDL_AudioStream* Convert = nullptr;
  bool Ended = false;  // the file gave its last sound

  ~TDecoder() {
    if (Convert) SDL_FreeAudioStream(Convert);
    if (Handle) {
      mpg123_close(Handle);
      mpg123_delete(Handle);
    }
  }
};

namespace {
std::uint8_t SilenceByte(std::uint16_t format) { return SDL_AUDIO_ISSIGNED(format) ? 0 : 0x80; }

// MP3 at its lowest bitrate for a sampling rate (8 kbit/s at 8 kHz) gives
// 8 samples per byte of file; more than this is a damaged tag.
constexpr off_t MaxSamplesPerByte = 12;
}  // namespace

std::unique_ptr<TMp3Stream> TMp3Stream::Open(const std::string& path, const TAudioFormat& output) {
  static const bool initialised = mpg123_init() == MPG123_OK;
  if (!initialised) return nullptr;
  std::unique_ptr<TMp3Stream> s(new TMp3Stream());
  s->Decoder = std::make_unique<TDecoder>();
  TDecoder& d = *s->Decoder;
  int error = 0;
  d.Handle = mpg123_new(nullptr, &error);
  if (!d.Handle) return nullptr;
  mpg123_param(d.Handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_open(d.Handle, path.c_str()) != MPG123_OK ||
      mpg123_getformat(d.Handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0)
    return nullptr;
  // 16-bit at the file's own rate; SDL converts to the output's format.
  mpg123_format_none(d.Handle);
  if (mpg123_format(d.Handle, rate, channels, MPG123_ENC_SIGNED_16) != MPG123_OK) return nullptr;
  // The exact length before any decoding: from the LAME tag where there is
  // one (an encoder delay is read from it), else from reading every frame
  // header, as for a tag that claims more than the file can hold.
  off_t frames = mpg123_length(d.Handle);
  long delay = -1;
  double unused = 0;
  const bool tagged = mpg123_getstate(d.Handle, MPG123_ENC_DELAY, &delay, &unused) == MPG123_OK && delay >= 0;
  std::error_code sizeError;
  const auto fileBytes = static_cast<off_t>(std::filesystem::file_size(path, sizeError));
  if (!tagged || sizeError || frames <= 0 || frames / MaxSamplesPerByte > fileBytes) {
    if (mpg123_scan(d.Handle) != MPG123_OK) return nullptr;
    frames = mpg123_length(d.Handle);
  }
  if (frames <= 0) return nullptr;
  d.Convert = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(channels), static_cast<int>(rate),
                                 output.Format, static_cast<Uint8>(output.Channels), output.Rate);
  if (!d.Convert) return nullptr;
  const std::size_t frameBytes = SDL_AUDIO_BITSIZE(output.Format) / 8 * static_cast<std::size_t>(output.Channels);
  const auto outFrames = static_cast<std::size_t>((static_cast<long double>(frames) * output.Rate + rate - 1) / rate);
  s->Size = outFrames * frameBytes;
  s->Data.reset(new std::uint8_t[s->Size]);
  s->Silence = SilenceByte(output.Format);
  // A quarter of a second ahead before playback can start (the mixer asks
  // for a twentieth at a time); the thread, some fifty times faster than the
  // music, takes the rest.
  const std::size_t lead = static_cast<std::size_t>(output.Rate / 4) * frameBytes;
  if (s->DecodeSome(std::min(s->Size, lead)) && s->Decoded.load() < s->Size)
    s->Worker = std::thread(&TMp3Stream::DecodeRest, s.get());
  else
    s->Finish();
  return s;
}

void TMp3Stream::Finish() {
  // Playback reads no further than Decoded: the silence is for Samples().
  const std::size_t at = Decoded.load(std::memory_order_relaxed);
  std::memset(Data.get() + at, Silence, Size - at);
  Finished.store(true, std::memory_order_release);
}

TMp3Stream::~TMp3Stream() {
  Stop = true;
  if (Worker.joinable()) Worker.join();
}

bool TMp3Stream::DecodeSome(std::size_t upTo) {
  TDecoder& d = *Decoder;
  unsigned char pcm[16384];
  std::size_t at = Decoded.load(std::memory_order_relaxed);
  while (at < upTo && !d.Ended && !Stop) {
    std::size_t got = 0;
    const int result = mpg123_read(d.Handle, pcm, sizeof pcm, &got);
    if (got > 0) SDL_AudioStreamPut(d.Convert, pcm, static_cast<int>(got));
    if (result != MPG123_OK && result != MPG123_NEW_FORMAT && got == 0) {
      d.Ended = true;  // the end, or damage nothing follows
      SDL_AudioStreamFlush(d.Convert);
    }
    for (int n; at < Size && (n = SDL_AudioStreamGet(d.Convert, Data.get() + at,
                                                     static_cast<int>(std::min<std::size_t>(Size - at, 1 << 16)))) > 0;)
      at += static_cast<std::size_t>(n);
    // Playback reads only what is published here.
    Decoded.store(at, std::memory_order_release);
  }
  return !d.Ended && at < Size;
}

void TMp3Stream::DecodeRest() {
  while (!Stop && DecodeSome(Size)) {
  }
  if (!Stop) Finish();
}

void TMp3Stream::WaitDecoded() {
  if (Worker.joinable()) Worker.join();
}

void TMp3Stream::Read(std::size_t position, std::uint8_t* out, std::size_t length) const {
  const std::size_t ready = Decoded.load(std::memory_order_acquire);
  const std::size_t have = position < ready ? std::min(length, ready - position) : 0;
  if (have) std::memcpy(out, Data.get() + position, have);
  std::memset(out + have, Silence, length - have);
}
