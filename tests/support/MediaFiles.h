// The generated data directory, for the media tests: where it is, reading
// its files, running the generator, and decoding the music.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

std::string MediaPath(const std::string& name);  // name under data/, "/" separated
std::vector<std::uint8_t> MediaBytes(const std::string& name);
// Runs the generator into `dir`; its exit status.
int RunMediaGenerator(const std::string& dir);

struct TDecodedMusic {
  int SampleRate = 0, Channels = 0;
  std::vector<std::int16_t> Left, Right;
  double Seconds() const { return SampleRate ? static_cast<double>(Left.size()) / SampleRate : 0.0; }
};

// Decodes an MP3 with LAME's decoder, the encoder delay and padding removed.
bool DecodeMp3(const std::vector<std::uint8_t>& bytes, TDecodedMusic& music, std::string& error);
