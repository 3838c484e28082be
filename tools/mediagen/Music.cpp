// Music: the mix. Notes are rendered in score order with a per-note seed, so
// the result does not depend on anything but the score.
#include "tools/mediagen/Music.h"

#include <algorithm>
#include <cmath>

#include "tools/mediagen/Arrangement.h"
#include "tools/mediagen/Instruments.h"
#include "tools/mediagen/Score.h"

namespace {

// Gain over time that dips after every kick and recovers within a beat.
std::vector<float> Pumping(const std::vector<double>& kicks, std::size_t frames) {
  std::vector<float> gain(frames, 1.0f);
  for (double k : kicks) {
    const std::size_t start = static_cast<std::size_t>(k * SampleRate);
    const std::size_t length = static_cast<std::size_t>(0.3 * SampleRate);
    for (std::size_t i = 0; i < length && start + i < frames; ++i) {
      const double t = static_cast<double>(i) / SampleRate;
      const float dip = static_cast<float>(1.0 - 0.45 * std::exp(-t / 0.09) * std::min(1.0, t / 0.004 + 0.5));
      gain[start + i] = std::min(gain[start + i], dip);
    }
  }
  return gain;
}

void Normalise(TBus& bus, float target) {
  float peak = 0;
  for (std::size_t i = 0; i < bus.Frames(); ++i) peak = std::max({peak, std::fabs(bus.L[i]), std::fabs(bus.R[i])});
  const float gain = peak > 0 ? target / peak : 1.0f;
  for (std::size_t i = 0; i < bus.Frames(); ++i) {
    bus.L[i] *= gain;
    bus.R[i] *= gain;
  }
}

// Look-ahead peak limiter: the gain starts falling 5 ms before a peak that
// would pass the threshold and recovers over a quarter second.
void Limit(TBus& bus, float threshold) {
  const std::size_t n = bus.Frames(), ahead = SampleRate / 200;
  std::vector<float> level(n);
  for (std::size_t i = 0; i < n; ++i) level[i] = std::max(std::fabs(bus.L[i]), std::fabs(bus.R[i]));
  // Running maximum over the next `ahead` samples (monotonic queue).
  std::vector<std::size_t> queue(n + 1);
  std::size_t head = 0, tail = 0;
  std::vector<float> future(n);
  for (std::size_t j = n; j-- > 0;) {
    while (tail > head && level[queue[tail - 1]] <= level[j]) --tail;
    queue[tail++] = j;
    while (queue[head] > j + ahead) ++head;
    future[j] = level[queue[head]];
  }
  const double attack = 1.0 - std::exp(-1.0 / (0.0012 * SampleRate));
  const double release = 1.0 - std::exp(-1.0 / (0.25 * SampleRate));
  double gain = 1.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double want = future[i] > threshold ? threshold / future[i] : 1.0;
    gain += (want - gain) * (want < gain ? attack : release);
    bus.L[i] = static_cast<float>(bus.L[i] * gain);
    bus.R[i] = static_cast<float>(bus.R[i] * gain);
  }
}

}  // namespace

TBus RenderMusic() {
  const std::size_t frames = static_cast<std::size_t>(MusicSeconds() * SampleRate);
  const std::vector<TNoteEvent> score = ComposeScore();
  TBus dry(frames), ducked(frames), reverbSend(frames), delaySend(frames);

  std::uint32_t seed = 1;
  for (const TNoteEvent& note : score) {
    const std::vector<float> mono = RenderNote(note, seed++);
    const TVoiceMix mix = MixOf(note.Voice);
    const std::size_t at = static_cast<std::size_t>(std::llround(note.Start * SampleRate));
    (mix.Ducked ? ducked : dry).AddMono(at, mono, mix.Gain, note.Pan);
    if (mix.ReverbSend > 0) reverbSend.AddMono(at, mono, mix.Gain * mix.ReverbSend, note.Pan);
    if (mix.DelaySend > 0) delaySend.AddMono(at, mono, mix.Gain * mix.DelaySend, note.Pan);
  }

  const std::vector<float> pump = Pumping(KickTimes(score), frames);
  for (std::size_t i = 0; i < frames; ++i) {
    ducked.L[i] *= pump[i];
    ducked.R[i] *= pump[i];
  }
  dry.Mix(ducked, 1.0f);

  // Dotted-eighth echoes, themselves a little reverberant.
  PingPongDelay(delaySend, 3 * StepSeconds, 0.42f, 3500);
  dry.Mix(delaySend, 1.0f);
  reverbSend.Mix(delaySend, 0.3f);
  Reverb(reverbSend, 0.86f, 0.35f);
  dry.Mix(reverbSend, 1.0f);

  // The piece ends in silence: fade the last fraction of the tail.
  const std::size_t fade = static_cast<std::size_t>(0.4 * SampleRate);
  for (std::size_t i = 0; i < fade && i < frames; ++i) {
    const float g = static_cast<float>(i) / static_cast<float>(fade);
    dry.L[frames - 1 - i] *= g;
    dry.R[frames - 1 - i] *= g;
  }

  Normalise(dry, 1.0f);
  Limit(dry, 0.5f);
  Normalise(dry, static_cast<float>(std::pow(10.0, MasterPeakDb / 20)));
  return dry;
}
