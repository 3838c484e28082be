// Arrangement: the one table that lays the music out in patterns of whole
// bars. The score and the sync track are both read from it, so the scenes
// change exactly where the music does.
#pragma once
#include <vector>

constexpr int SampleRate = 44100;
constexpr double Tempo = 120.0;                  // beats a minute, 4/4
constexpr double BarSeconds = 4 * 60.0 / Tempo;  // 2 s: pattern ends are exact
constexpr double StepSeconds = BarSeconds / 16;  // one sixteenth
constexpr double TailSeconds = 1.5;              // the last chord rings past the end

enum class TDrums { None, Hats, Drive, Groove, HalfTime, FinalHit };
enum class TBass { None, Hold, Drive, Groove, Lake };
enum class TLead { None, ThemeA, ThemeAHigh, ThemeB, ThemeC, Finale };

// Chord progressions, one chord a bar (see Score.cpp).
enum class TProgression { Main, Groove, Break, Lake, Finale };

struct TPatternPlan {
  int Bars;
  TProgression Chords;
  int PhraseBar;  // bar of the 4-bar phrase this pattern starts on
  TDrums Drums;
  int DrumsFrom;  // bar within the pattern where the drums come in
  TBass Bass;
  int BassFrom;
  TLead Lead;
  bool Pad, Arp, Bells;
  bool CrashIn;   // cymbal on the first downbeat
  bool FillOut;   // drum fill in the last bar
  bool RiserOut;  // noise swell into the next pattern
};

// Patterns 0 to 18, in order.
const std::vector<TPatternPlan>& Arrangement();

int TotalBars();
// First bar of every pattern, and one past the last (19 + 1 entries).
std::vector<int> PatternStartBars();
// PatternEnds[0..18] in seconds: the bar boundary where each pattern ends.
std::vector<float> PatternEnds();
// Length of the rendered music in seconds.
double MusicSeconds();
