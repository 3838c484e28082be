// AudioView: peak levels, onsets and the tempo found in them.
#include "dev/AudioView.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double HopSeconds = 0.005;
constexpr float LowBandHz = 150, MidBandHz = 2000;
// Band power is compressed as log(1 + Loudness * power): rises in quiet
// passages still count, while dither and rounding noise stay near 0.
constexpr float Loudness = 1e4f;
// An envelope that never rises by this much has no sound to time (about a
// step from silence to -70 dBFS).
constexpr float SilentRise = 1e-3f;
constexpr int CombBeats = 4;  // multiples of a period whose autocorrelation counts
constexpr double CoarseBpmStep = 0.1;
// The pulse may be as fast as sixteenths at the fastest beat. It is the
// fastest period nearly as salient as the most salient one: every multiple
// of the pulse repeats too, so salience alone would favour slow periods.
constexpr double FastestPulseBpm = 4 * MaxBpm;
constexpr double PulseShare = 0.85;
// Below this the onsets hardly repeat: noise gives about 0.02, the demo's
// music 0.5 (20 s of it 0.3 to 0.6).
constexpr float MinStrength = 0.1f;

bool HasInput(const std::int16_t* pcm, std::size_t frames, int channels, int rate) {
  return pcm && frames > 0 && channels > 0 && rate > 0;
}

TPeak Merge(TPeak a, TPeak b) { return {std::min(a.Min, b.Min), std::max(a.Max, b.Max)}; }

struct TOnsets {
  std::vector<double> Values;  // one a hop; Values[n] belongs to hop n's middle
  double Rate = 0;             // hops a second
};

// The rise of each band's compressed power from one hop to the next,
// summed, then smoothed over a few hops so that the autocorrelation's
// peaks are wider than a hop and can be read between lags.
TOnsets OnsetEnvelope(const std::int16_t* pcm, std::size_t frames, int channels, int rate) {
  const int hop = std::max(1, static_cast<int>(std::lround(rate * HopSeconds)));
  const std::size_t hops = frames / hop;
  std::vector<double> rises(hops);
  const float lowPole = static_cast<float>(1 - std::exp(-2 * Pi * LowBandHz / rate));
  const float midPole = static_cast<float>(1 - std::exp(-2 * Pi * MidBandHz / rate));
  const float scale = 1.0f / (32768.0f * channels);
  float low = 0, belowMid = 0;
  float before[3] = {0, 0, 0};
  const std::int16_t* sample = pcm;
  for (std::size_t h = 0; h < hops; ++h) {
    float power[3] = {0, 0, 0};
    for (int f = 0; f < hop; ++f) {
      int sum = 0;
      for (int c = 0; c < channels; ++c) sum += *sample++;
      const float x = sum * scale;
      low += lowPole * (x - low);
      belowMid += midPole * (x - belowMid);
      const float bands[3] = {low, belowMid - low, x - belowMid};
      for (int b = 0; b < 3; ++b) power[b] += bands[b] * bands[b];
    }
    float rise = 0;
    for (int b = 0; b < 3; ++b) {
      const float level = std::log1p(Loudness * power[b] / hop);
      rise += std::max(0.0f, level - before[b]);
      before[b] = level;
    }
    rises[h] = rise;
  }
  TOnsets onsets;
  onsets.Rate = static_cast<double>(rate) / hop;
  onsets.Values.resize(hops);
  constexpr double Kernel[5] = {1 / 16.0, 4 / 16.0, 6 / 16.0, 4 / 16.0, 1 / 16.0};
  for (std::size_t h = 0; h < hops; ++h)
    for (int k = 0; k < 5; ++k)
      if (h + k >= 2 && h + k - 2 < hops) onsets.Values[h] += Kernel[k] * rises[h + k - 2];
  return onsets;
}

std::vector<double> Centred(const std::vector<double>& values) {
  double mean = 0;
  for (double v : values) mean += v;
  mean /= values.size();
  std::vector<double> centred(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) centred[i] = values[i] - mean;
  return centred;
}

// The autocorrelation of the centred envelope at one lag, per pair of hops
// compared (so long lags are not weakened by having fewer pairs).
double Correlation(const std::vector<double>& centred, long lag) {
  if (lag < 0 || static_cast<std::size_t>(lag) >= centred.size()) return 0;
  // Four sums in turn: the additions do not wait on one another.
  double sums[4] = {0, 0, 0, 0};
  const std::size_t pairs = centred.size() - lag;
  std::size_t i = 0;
  for (; i + 4 <= pairs; i += 4)
    for (int k = 0; k < 4; ++k) sums[k] += centred[i + k] * centred[i + k + lag];
  for (; i < pairs; ++i) sums[0] += centred[i] * centred[i + lag];
  return (sums[0] + sums[1] + sums[2] + sums[3]) / pairs;
}

double At(const std::vector<double>& a, double lag) {
  const auto i = static_cast<std::size_t>(lag);
  if (i + 1 >= a.size()) return a.back();
  const double t = lag - i;
  return a[i] * (1 - t) + a[i + 1] * t;
}

// How well the onsets repeat at `period` hops and its next multiples.
double Salience(const std::vector<double>& a, double period) {
  double sum = 0;
  for (int k = 1; k <= CombBeats; ++k) sum += At(a, k * period);
  return sum / CombBeats;
}

// Peak of a parabola through (-1, a), (0, b), (1, c), as an offset in -0.5..0.5.
double ParabolaPeak(double a, double b, double c) {
  const double bend = a - 2 * b + c;
  return bend < 0 ? std::clamp(0.5 * (a - c) / bend, -0.5, 0.5) : 0.0;
}

// The last entry that is a local peak at or above `floor` (there is one:
// the largest entry, when `floor` is at most that).
std::size_t LastPeak(const std::vector<double>& v, double floor) {
  for (std::size_t i = v.size(); i-- > 0;)
    if (v[i] >= floor && (i == 0 || v[i] >= v[i - 1]) && (i + 1 == v.size() || v[i] >= v[i + 1])) return i;
  return 0;
}

// The period near `period` that the onsets repeat at over many beats: the
// autocorrelation's peak near ever more beats of it, up to half the music,
// each time to within a few hops.
double ExactPeriod(const std::vector<double>& centred, double period) {
  constexpr int Reach = 3;  // hops either side of the expected lag
  for (double beats = 8; beats * period <= centred.size() / 2.0; beats *= 4) {
    const long from = std::lround(beats * period) - Reach - 1;
    double near[2 * Reach + 3];
    for (int i = 0; i < 2 * Reach + 3; ++i) near[i] = Correlation(centred, from + i);
    const int best = static_cast<int>(std::max_element(near + 1, near + 2 * Reach + 2) - near);
    period = (from + best + ParabolaPeak(near[best - 1], near[best], near[best + 1])) / beats;
  }
  return period;
}

// Hops from the start to the first beat: the envelope folded at the period
// into bins of about a hop, and its peak.
double Phase(const std::vector<double>& values, double period) {
  const int bins = std::max(8, static_cast<int>(std::lround(period)));
  std::vector<double> fold(bins, 0.0);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double at = std::fmod(i + 0.5, period) / period * bins;  // the hop's middle
    const int bin = static_cast<int>(at) % bins;
    const double t = at - std::floor(at);
    fold[bin] += values[i] * (1 - t);
    fold[(bin + 1) % bins] += values[i] * t;
  }
  const int peak = static_cast<int>(std::max_element(fold.begin(), fold.end()) - fold.begin());
  const double offset = ParabolaPeak(fold[(peak + bins - 1) % bins], fold[peak], fold[(peak + 1) % bins]);
  return std::fmod((peak + offset + bins) * period / bins, period);
}

}  // namespace

TPeakLevels BuildPeaks(const std::int16_t* pcm, std::size_t frames, int channels, int rate) {
  TPeakLevels peaks;
  peaks.Rate = rate;
  if (!HasInput(pcm, frames, channels, rate)) return peaks;
  peaks.Frames = frames;
  std::vector<TPeak> level((frames + PeakBlockFrames - 1) / PeakBlockFrames);
  for (std::size_t b = 0; b < level.size(); ++b) {
    const std::int16_t* from = pcm + b * PeakBlockFrames * channels;
    const std::int16_t* to = pcm + std::min(frames, (b + 1) * PeakBlockFrames) * channels;
    std::int16_t low = *from, high = *from;
    for (const std::int16_t* s = from; s < to; ++s) {
      low = std::min(low, *s);
      high = std::max(high, *s);
    }
    level[b] = {low / 32768.0f, high / 32768.0f};
  }
  peaks.Levels.push_back(std::move(level));
  while (peaks.Levels.back().size() > 1) {
    const std::vector<TPeak>& finer = peaks.Levels.back();
    std::vector<TPeak> coarser((finer.size() + PeakLevelStep - 1) / PeakLevelStep);
    for (std::size_t i = 0; i < finer.size(); ++i)
      coarser[i / PeakLevelStep] = i % PeakLevelStep ? Merge(coarser[i / PeakLevelStep], finer[i]) : finer[i];
    peaks.Levels.push_back(std::move(coarser));
  }
  return peaks;
}

std::vector<TPeak> PeakColumns(const TPeakLevels& peaks, double begin, double end, int columns) {
  std::vector<TPeak> out(std::max(columns, 0));
  if (columns <= 0 || !(end > begin) || peaks.Levels.empty() || peaks.Rate <= 0) return out;
  const double columnFrames = (end - begin) * peaks.Rate / columns;
  std::size_t level = 0;
  double entryFrames = PeakBlockFrames;
  while (level + 1 < peaks.Levels.size() && entryFrames * PeakLevelStep <= columnFrames) {
    ++level;
    entryFrames *= PeakLevelStep;
  }
  const std::vector<TPeak>& entries = peaks.Levels[level];
  const double last = static_cast<double>(entries.size()) - 1;
  for (int c = 0; c < columns; ++c) {
    const double from = begin * peaks.Rate + c * columnFrames, to = from + columnFrames;
    if (to <= 0 || from >= static_cast<double>(peaks.Frames)) continue;
    // Entries whose centre, (i + 0.5) entries in, lies in [from, to).
    double first = std::ceil(from / entryFrames - 0.5), final = std::ceil(to / entryFrames - 0.5) - 1;
    if (final < first) first = final = std::floor((from + to) / 2 / entryFrames);
    first = std::clamp(first, 0.0, last);
    final = std::clamp(final, 0.0, last);
    TPeak peak = entries[static_cast<std::size_t>(first)];
    for (auto i = static_cast<std::size_t>(first) + 1; i <= static_cast<std::size_t>(final); ++i)
      peak = Merge(peak, entries[i]);
    out[c] = peak;
  }
  return out;
}

TTempo ProposeTempo(const std::int16_t* pcm, std::size_t frames, int channels, int rate) {
  TTempo tempo;
  if (!HasInput(pcm, frames, channels, rate) || frames < MinMusicSeconds * rate) return tempo;
  const TOnsets onsets = OnsetEnvelope(pcm, frames, channels, rate);
  if (*std::max_element(onsets.Values.begin(), onsets.Values.end()) < SilentRise) return tempo;

  const std::vector<double> centred = Centred(onsets.Values);
  std::vector<double> a(static_cast<std::size_t>(std::ceil(CombBeats * onsets.Rate * 60 / MinBpm)) + 2);
  for (std::size_t lag = 0; lag < a.size(); ++lag) a[lag] = Correlation(centred, static_cast<long>(lag));
  if (!(a[0] > 0)) return tempo;
  std::vector<double> salience(static_cast<std::size_t>(std::lround((FastestPulseBpm - MinBpm) / CoarseBpmStep)) + 1);
  for (std::size_t i = 0; i < salience.size(); ++i)
    salience[i] = Salience(a, onsets.Rate * 60 / (MinBpm + i * CoarseBpmStep));
  const double strongest = *std::max_element(salience.begin(), salience.end());
  if (!(strongest > 0)) return tempo;

  // The beat is the pulse's octave in MinBpm..MaxBpm, the fastest when two
  // fit: only octaves, never a 3:2 relative that repeats every other beat.
  const std::size_t pulse = LastPeak(salience, PulseShare * strongest);
  double bpm = MinBpm + pulse * CoarseBpmStep;
  if (pulse > 0 && pulse + 1 < salience.size())
    bpm += CoarseBpmStep * ParabolaPeak(salience[pulse - 1], salience[pulse], salience[pulse + 1]);
  while (bpm > MaxBpm) bpm /= 2;

  const double period = ExactPeriod(centred, onsets.Rate * 60 / bpm);
  const float strength = static_cast<float>(std::clamp(Salience(a, period) / a[0], 0.0, 1.0));
  if (strength < MinStrength) return tempo;
  tempo.Bpm = onsets.Rate * 60 / period;
  tempo.FirstBeat = Phase(onsets.Values, period) / onsets.Rate;
  if (tempo.FirstBeat >= 60 / tempo.Bpm) tempo.FirstBeat = 0;  // a phase a rounding short of a beat
  tempo.Strength = strength;
  return tempo;
}

TAudioView AnalyzeMusic(const std::int16_t* pcm, std::size_t frames, int channels, int rate) {
  return {BuildPeaks(pcm, frames, channels, rate), ProposeTempo(pcm, frames, channels, rate)};
}
