// Instruments: turns one note of the score into sound. Each voice is a small
// synthesiser patch (oscillators, filter, envelopes) or a synthesised drum.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/mediagen/Score.h"

struct TVoiceMix {
  float Gain;         // into the dry mix
  float ReverbSend;   // into the reverb
  float DelaySend;    // into the ping-pong delay
  bool Ducked;        // pumps with the kick
};

TVoiceMix MixOf(TVoice voice);

// Mono samples of one note, starting at the note's start; `seed` varies the
// noise of drums so repeated hits are not identical copies.
std::vector<float> RenderNote(const TNoteEvent& note, std::uint32_t seed);
