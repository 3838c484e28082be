// Music: renders the score to a stereo 44.1 kHz signal: every note through
// its instrument, side-chain pumping, delay and reverb sends, and a master
// gain that puts the loudest sample at a fixed level below full scale.
#pragma once
#include "tools/mediagen/Synth.h"

constexpr double MasterPeakDb = -2.5;  // leaves room for MP3's overshoot

TBus RenderMusic();
