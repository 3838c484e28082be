// AudioView: what the development panel draws under its timeline, computed
// once from the whole decoded music (16-bit interleaved PCM): min/max peak
// envelopes at a few zoom levels, asked for per pixel column, and a tempo
// and first beat proposed from the music for the beat grid.
// Needs: nothing beyond the standard library (no GL, no files).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int PeakBlockFrames = 256;  // frames under an entry of the finest level
constexpr int PeakLevelStep = 4;      // entries of one level merged into one of the next
constexpr double MinBpm = 60, MaxBpm = 180;

struct TPeak {
  float Min = 0, Max = 0;  // sample values in -1..1, over every channel
};

struct TPeakLevels {
  int Rate = 0;
  std::size_t Frames = 0;
  // Levels[k] has an entry per PeakBlockFrames * PeakLevelStep^k frames (the
  // last one may cover fewer); the coarsest level has a single entry.
  std::vector<std::vector<TPeak>> Levels;
};

struct TTempo {
  double Bpm = 0;        // 0: none proposed (no sound, under MinMusicSeconds, or no beat)
  double FirstBeat = 0;  // seconds, in [0, 60 / Bpm)
  float Strength = 0;    // how much the onsets repeat at that beat, 0..1; under 0.1, no tempo
};

// The tempo needs a few beats at the slowest tempo to compare.
constexpr double MinMusicSeconds = 8;

TPeakLevels BuildPeaks(const std::int16_t* pcm, std::size_t frames, int channels, int rate);

// The min and max under each of `columns` equal columns showing `begin` to
// `end` seconds, from the coarsest level whose entries are no wider than a
// column; every entry counts in the one column its centre falls in (a
// column narrower than an entry gets the entry under it). Columns outside
// the music are {0, 0}.
std::vector<TPeak> PeakColumns(const TPeakLevels& peaks, double begin, double end, int columns);

// Onsets are the rise of energy in three bands (under 150 Hz, to 2 kHz,
// above) over 5 ms hops. The pulse is the fastest period, up to sixteenths,
// whose first multiples the onsets' autocorrelation finds nearly as strong
// as the strongest period's; the tempo is its octave in MinBpm..MaxBpm (the
// faster when two fit), made exact over the whole music, and the first beat
// the peak of the onsets folded at that period. Assumes one steady tempo;
// music whose onsets hardly repeat (noise) gets none.
TTempo ProposeTempo(const std::int16_t* pcm, std::size_t frames, int channels, int rate);

struct TAudioView {
  TPeakLevels Peaks;
  TTempo Tempo;
};

TAudioView AnalyzeMusic(const std::int16_t* pcm, std::size_t frames, int channels, int rate);
