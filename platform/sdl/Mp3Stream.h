// Mp3Stream: an MP3 file decoded on a thread of its own into memory, in the
// audio output's format, so that playback can begin before the whole file
// is decoded: a quarter of a second is decoded before Open returns, and the
// thread stays far ahead of any playback from then on.
// Mechanism: libmpg123 for decoding, SDL_AudioStream for the conversion to
// the output's rate, sample format and channels.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

struct TAudioFormat {
  int Rate = 44100;
  std::uint16_t Format = 0;  // an SDL_AudioFormat
  int Channels = 2;
};

class TMp3Stream {
 public:
  // Null when the file cannot be opened or holds no MP3 audio.
  static std::unique_ptr<TMp3Stream> Open(const std::string& path, const TAudioFormat& output);
  ~TMp3Stream();  // stops the decoding

  // The decoded sound's length in bytes of the output format, known from
  // the start (what the file fails to deliver stays silent).
  std::size_t Bytes() const { return Size; }
  // Copies `length` bytes from `position` on into `out`: what is decoded so
  // far, silence for the rest. Safe on any thread while decoding goes on.
  void Read(std::size_t position, std::uint8_t* out, std::size_t length) const;
  // Waits until everything is decoded (tests).
  void WaitDecoded();
  // Decoding has finished: Samples() holds the whole sound (silence where
  // the file failed to deliver).
  bool Complete() const { return Finished.load(std::memory_order_acquire); }
  const std::uint8_t* Samples() const { return Data.get(); }

 private:
  struct TDecoder;
  TMp3Stream() = default;
  bool DecodeSome(std::size_t upTo);  // false at the end of the file
  void DecodeRest();

  std::unique_ptr<TDecoder> Decoder;
  std::unique_ptr<std::uint8_t[]> Data;
  std::size_t Size = 0;
  std::uint8_t Silence = 0;
  std::atomic<std::size_t> Decoded{0};  // bytes of Data written, published
  std::atomic<bool> Stop{false};
  std::atomic<bool> Finished{false};
  void Finish();
  std::thread Worker;
};
