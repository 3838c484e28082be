// MixerClock: the desktop's counter while a sound plays: the SDL mixer's
// audio clock (platform/AudioClock, fed in platform/QuarnBASS), read by
// SdlClock in place of SDL's performance counter.
// Needs: platform/QuarnBASS (InitAudio).
#pragma once
#include <cstdint>

// `now` (SDL's performance counter) as the demo's clock reads it: the
// position of the sound being heard while a playback plays on an open
// device, the performance counter carried on otherwise; never going back.
std::uint64_t MixerClockCounter(std::uint64_t now);
