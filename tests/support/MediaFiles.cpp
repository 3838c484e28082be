// Only built into tests when the generator exists (see tests/CMakeLists.txt).
#include "support/MediaFiles.h"

#ifdef MEDIA_DATA_DIR
#include <lame/lame.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

std::string MediaPath(const std::string& name) { return std::string(MEDIA_DATA_DIR) + "/" + name; }

std::vector<std::uint8_t> MediaBytes(const std::string& name) {
  std::ifstream in(MediaPath(name), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int RunMediaGenerator(const std::string& dir) {
  const std::string command = std::string("'") + MEDIAGEN_PATH + "' '" + dir + "' > /dev/null";
  return std::system(command.c_str());
}

bool DecodeMp3(const std::vector<std::uint8_t>& bytes, TDecodedMusic& music, std::string& error) {
  hip_t hip = hip_decode_init();
  if (!hip) return error = "decoder did not start", false;
  std::vector<short> left(8192), right(8192);
  mp3data_struct info{};
  int delay = -1, padding = -1;
  std::size_t at = 0;
  const std::size_t chunk = 4096;
  while (true) {
    const std::size_t n = std::min(chunk, bytes.size() - at);
    unsigned char* data = const_cast<unsigned char*>(bytes.data() + at);
    int got = hip_decode1_headersB(hip, data, n, left.data(), right.data(), &info, &delay, &padding);
    at += n;
    while (got > 0) {
      music.Left.insert(music.Left.end(), left.begin(), left.begin() + got);
      music.Right.insert(music.Right.end(), right.begin(), right.begin() + got);
      got = hip_decode1_headersB(hip, nullptr, 0, left.data(), right.data(), &info, &delay, &padding);
    }
    if (got < 0) {
      hip_decode_exit(hip);
      return error = "undecodable frame", false;
    }
    if (at >= bytes.size()) break;
  }
  hip_decode_exit(hip);
  if (!info.header_parsed) return error = "no MP3 frames", false;
  music.SampleRate = info.samplerate;
  music.Channels = info.stereo;
  // The music starts after the encoder's delay plus the decoder's own 529
  // samples and lasts what the Info tag leaves after delay and padding.
  const std::size_t total = music.Left.size();
  const std::size_t enc = static_cast<std::size_t>(std::max(delay, 0));
  const std::size_t pad = static_cast<std::size_t>(std::max(padding, 0));
  if (total < enc + pad) return error = "shorter than its own delay", false;
  const std::size_t skip = std::min(total, enc + 529), length = std::min(total - enc - pad, total - skip);
  for (auto* channel : {&music.Left, &music.Right}) {
    channel->erase(channel->begin(), channel->begin() + static_cast<std::ptrdiff_t>(skip));
    channel->resize(length);
  }
  return true;
}
#endif
