// Mp3Out: encodes a stereo 44.1 kHz signal to MP3 with LAME: constant
// 192 kbit/s, joint stereo, with the Info tag that tells decoders the exact
// length. Fixed settings and no ID3 tag, so the bytes depend only on the input.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/mediagen/Synth.h"

// Throws std::runtime_error when LAME refuses the settings or the input.
std::vector<std::uint8_t> EncodeMp3(const TBus& music);
