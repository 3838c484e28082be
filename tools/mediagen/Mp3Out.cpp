// Mp3Out: one pass through LAME in blocks; the Info frame is written last,
// over the placeholder LAME put at the start.
#include "tools/mediagen/Mp3Out.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "tools/mediagen/Arrangement.h"

std::vector<std::uint8_t> EncodeMp3(const TBus& music) {
  std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
  if (!lame) throw std::runtime_error("LAME could not start");
  lame_set_in_samplerate(lame.get(), SampleRate);
  lame_set_out_samplerate(lame.get(), SampleRate);
  lame_set_num_channels(lame.get(), 2);
  lame_set_mode(lame.get(), JOINT_STEREO);
  lame_set_brate(lame.get(), 192);
  lame_set_VBR(lame.get(), vbr_off);
  lame_set_quality(lame.get(), 5);
  lame_set_bWriteVbrTag(lame.get(), 1);
  if (lame_init_params(lame.get()) < 0) throw std::runtime_error("LAME refused its settings");

  std::vector<std::uint8_t> out;
  constexpr int Block = 8192;
  std::vector<unsigned char> buffer(static_cast<std::size_t>(1.25 * Block + 7200));
  for (std::size_t at = 0; at < music.Frames(); at += Block) {
    const int n = static_cast<int>(std::min<std::size_t>(Block, music.Frames() - at));
    const int bytes = lame_encode_buffer_ieee_float(lame.get(), music.L.data() + at, music.R.data() + at, n,
                                                    buffer.data(), static_cast<int>(buffer.size()));
    if (bytes < 0) throw std::runtime_error("LAME could not encode");
    out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
  }
  const int bytes = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
  if (bytes < 0) throw std::runtime_error("LAME could not finish");
  out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);

  std::vector<unsigned char> tag(8192);
  const std::size_t tagBytes = lame_get_lametag_frame(lame.get(), tag.data(), tag.size());
  if (tagBytes > 0 && tagBytes <= out.size()) std::copy_n(tag.begin(), tagBytes, out.begin());
  return out;
}
