// Score: D minor, 120 beats a minute, sixteen steps a bar. The themes are
// written as (step, length, note) per bar of a four-bar phrase.
#include "tools/mediagen/Score.h"

#include <algorithm>

#include "tools/mediagen/Arrangement.h"

namespace {

struct TChord {
  int Root;                // pitch class, C = 0
  std::vector<int> Tones;  // intervals above the root
};

struct TPhraseNote {
  int Bar, Step, Length, Note;
};

// Note numbers of the lead's range.
enum : int {
  G4 = 67, A4 = 69, Bb4 = 70, C5 = 72, Cs5 = 73, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81
};

const TChord Dm{2, {0, 3, 7}}, Bb{10, {0, 4, 7}}, F{5, {0, 4, 7}}, C{0, {0, 4, 7}}, Gm{7, {0, 3, 7}},
    A7{9, {0, 4, 7, 10}}, C7{0, {0, 4, 7, 10}}, Dmaj{2, {0, 4, 7}};

const std::vector<TChord>& Chords(TProgression p) {
  static const std::vector<TChord> main{Dm, Bb, F, C}, groove{Gm, Dm, Bb, A7}, brk{Gm, C7}, lake{F, C, Dm, Bb},
      finale{Dm, Bb, F, C, Gm, Bb, A7, Dmaj};
  switch (p) {
    case TProgression::Main: return main;
    case TProgression::Groove: return groove;
    case TProgression::Break: return brk;
    case TProgression::Lake: return lake;
    case TProgression::Finale: return finale;
  }
  return main;
}

const std::vector<TPhraseNote> ThemeA = {
    {0, 0, 4, A4}, {0, 4, 4, D5}, {0, 8, 2, E5}, {0, 10, 2, F5}, {0, 12, 2, E5}, {0, 14, 2, D5},
    {1, 0, 6, F5}, {1, 6, 2, E5}, {1, 8, 4, D5}, {1, 12, 2, C5}, {1, 14, 2, D5},
    {2, 0, 4, C5}, {2, 4, 4, A4}, {2, 8, 2, C5}, {2, 10, 4, F5}, {2, 14, 2, E5},
    {3, 0, 8, E5}, {3, 8, 2, D5}, {3, 10, 2, C5}, {3, 12, 4, G4},
};
// The answer: the second half climbs instead of falling back.
const std::vector<TPhraseNote> ThemeAHigh = {
    {0, 0, 4, A4}, {0, 4, 4, D5}, {0, 8, 2, E5}, {0, 10, 2, F5}, {0, 12, 2, E5}, {0, 14, 2, D5},
    {1, 0, 6, F5}, {1, 6, 2, E5}, {1, 8, 4, D5}, {1, 12, 2, E5}, {1, 14, 2, F5},
    {2, 0, 4, A5}, {2, 4, 2, G5}, {2, 6, 2, F5}, {2, 8, 4, E5}, {2, 12, 4, F5},
    {3, 0, 6, G5}, {3, 6, 2, F5}, {3, 8, 4, E5}, {3, 12, 4, C5},
};
const std::vector<TPhraseNote> ThemeB = {
    {0, 0, 3, D5}, {0, 3, 3, Bb4}, {0, 6, 2, G4}, {0, 8, 2, A4}, {0, 10, 2, Bb4}, {0, 12, 4, D5},
    {1, 0, 3, F5}, {1, 3, 3, E5}, {1, 6, 2, D5}, {1, 8, 8, A4},
    {2, 0, 3, D5}, {2, 3, 3, F5}, {2, 6, 2, G5}, {2, 8, 2, F5}, {2, 10, 2, D5}, {2, 12, 4, Bb4},
    {3, 0, 6, Cs5}, {3, 6, 2, D5}, {3, 8, 4, E5}, {3, 12, 4, A4},
};
const std::vector<TPhraseNote> ThemeC = {
    {0, 0, 6, A5}, {0, 6, 2, G5}, {0, 8, 4, F5}, {0, 12, 4, C5},
    {1, 0, 6, E5}, {1, 6, 2, D5}, {1, 8, 4, C5}, {1, 12, 4, G4},
    {2, 0, 6, F5}, {2, 6, 2, E5}, {2, 8, 4, D5}, {2, 12, 4, A4},
    {3, 0, 6, D5}, {3, 6, 2, C5}, {3, 8, 8, D5},
};
// Eight bars: the theme once more, then the cadence home to D.
const std::vector<TPhraseNote> Finale = [] {
  std::vector<TPhraseNote> notes = ThemeA;
  const std::vector<TPhraseNote> cadence = {
      {4, 0, 4, Bb4}, {4, 4, 4, D5}, {4, 8, 4, G5}, {4, 12, 4, F5},
      {5, 0, 6, F5}, {5, 6, 2, E5}, {5, 8, 4, D5}, {5, 12, 4, F5},
      {6, 0, 8, E5}, {6, 8, 4, Cs5}, {6, 12, 4, E5},
      {7, 0, 14, D5},
  };
  notes.insert(notes.end(), cadence.begin(), cadence.end());
  return notes;
}();

class TComposer {
 public:
  std::vector<TNoteEvent> Events;

  void Add(TVoice voice, double step, double steps, double note, float velocity, float pan = 0,
           float brightness = 0.5f) {
    Events.push_back({voice, step * StepSeconds, steps * StepSeconds, note, velocity, pan, brightness});
  }

  void Pattern(const TPatternPlan& plan, int firstBar, bool last);

 private:
  void Bar(const TPatternPlan& plan, int barInPattern, int bar, bool lastBar, bool endOfPiece);
  void Drums(TDrums style, double s0, float intensity);
  void Fill(double s0, bool roll);
  void BassBar(TBass style, const TChord& chord, double s0, bool lastOfPiece);
  void PadBar(const TChord& chord, double s0, double steps);
  void ArpBar(const TChord& chord, double s0, float brightness);
  void BellBar(const TChord& chord, double s0);
  void LeadBar(TLead lead, int phraseBar, double s0);
};

std::vector<int> Voicing(const TChord& chord, int low, int high) {
  std::vector<int> notes;
  for (int interval : chord.Tones) {
    int n = chord.Root + interval;
    while (n < low) n += 12;
    while (n >= high) n -= 12;
    notes.push_back(n);
  }
  std::sort(notes.begin(), notes.end());
  return notes;
}

int BassRoot(const TChord& chord) { return chord.Root >= 8 ? 24 + chord.Root : 36 + chord.Root; }

void TComposer::Drums(TDrums style, double s0, float k) {
  switch (style) {
    case TDrums::None:
    case TDrums::FinalHit: break;
    case TDrums::Hats:
      for (int s = 2; s < 16; s += 4) Add(TVoice::ClosedHat, s0 + s, 1, 0, 0.55f * k, 0.3f);
      for (int s = 1; s < 16; s += 2) Add(TVoice::ClosedHat, s0 + s, 1, 0, 0.18f * k, -0.3f);
      Add(TVoice::Kick, s0, 4, 0, 0.6f * k);
      break;
    case TDrums::Drive:
      for (int s = 0; s < 16; s += 4) Add(TVoice::Kick, s0 + s, 4, 0, 1.0f * k);
      Add(TVoice::Snare, s0 + 4, 2, 0, 0.85f * k, 0.05f);
      Add(TVoice::Snare, s0 + 12, 2, 0, 0.85f * k, 0.05f);
      for (int s = 2; s < 16; s += 4) Add(TVoice::OpenHat, s0 + s, 2, 0, 0.45f * k, 0.25f);
      for (int s = 1; s < 16; s += 2) Add(TVoice::ClosedHat, s0 + s, 1, 0, (s % 4 == 3 ? 0.3f : 0.22f) * k, -0.25f);
      break;
    case TDrums::Groove:
      for (int s : {0, 6, 10}) Add(TVoice::Kick, s0 + s, 4, 0, 1.0f * k);
      Add(TVoice::Kick, s0 + 3, 2, 0, 0.45f * k);
      Add(TVoice::Snare, s0 + 4, 2, 0, 0.9f * k, 0.05f);
      Add(TVoice::Snare, s0 + 12, 2, 0, 0.9f * k, 0.05f);
      Add(TVoice::Snare, s0 + 15, 1, 0, 0.25f * k, 0.05f);
      for (int s = 0; s < 16; ++s)
        Add(TVoice::ClosedHat, s0 + s, 1, 0, (s % 4 == 2 ? 0.5f : s % 2 ? 0.2f : 0.32f) * k, -0.2f);
      Add(TVoice::OpenHat, s0 + 14, 2, 0, 0.4f * k, 0.3f);
      break;
    case TDrums::HalfTime:
      Add(TVoice::Kick, s0, 4, 0, 0.9f * k);
      Add(TVoice::Kick, s0 + 10, 4, 0, 0.7f * k);
      Add(TVoice::Snare, s0 + 8, 4, 0, 0.8f * k, 0.05f);
      for (int s = 0; s < 16; s += 2) Add(TVoice::ClosedHat, s0 + s, 1, 0, (s % 4 ? 0.35f : 0.22f) * k, 0.35f);
      Add(TVoice::ClosedHat, s0 + 15, 1, 0, 0.15f * k, 0.35f);
      break;
  }
}

void TComposer::Fill(double s0, bool roll) {
  if (roll) {
    for (int s = 0; s < 16; ++s) Add(TVoice::Snare, s0 + s, 1, 0, 0.15f + 0.7f * s / 15.0f, 0.05f);
    return;
  }
  const double toms[] = {50, 50, 47, 47, 43, 43, 40, 38};
  for (int s = 8; s < 16; ++s) {
    Add(TVoice::Tom, s0 + s, 2, toms[s - 8], 0.75f + 0.02f * (s - 8), 0.5f - 0.12f * (s - 8));
    if (s % 2 == 0) Add(TVoice::Snare, s0 + s, 1, 0, 0.45f, 0.05f);
  }
  Add(TVoice::Kick, s0, 4, 0, 1.0f);
  Add(TVoice::Kick, s0 + 4, 4, 0, 1.0f);
  Add(TVoice::Snare, s0 + 4, 2, 0, 0.85f, 0.05f);
}

void TComposer::BassBar(TBass style, const TChord& chord, double s0, bool lastOfPiece) {
  const int r = BassRoot(chord);
  switch (style) {
    case TBass::None: break;
    case TBass::Hold: Add(TVoice::Bass, s0, 15.5, r, 0.8f, 0, 0.25f); break;
    case TBass::Drive:
      if (lastOfPiece) {
        Add(TVoice::Bass, s0, 14, r, 0.95f, 0, 0.5f);
        break;
      }
      for (int s = 0; s < 16; s += 2)
        Add(TVoice::Bass, s0 + s, 1.6, (s == 6 || s == 14) ? r + 12 : r, s % 4 ? 0.75f : 0.95f, 0, 0.45f);
      break;
    case TBass::Groove: {
      const int steps[][3] = {{0, 3, 0}, {3, 3, 0}, {6, 2, 12}, {8, 2, 0}, {10, 2, 7}, {12, 2, 12}, {14, 2, 0}};
      for (auto& n : steps) Add(TVoice::Bass, s0 + n[0], n[1] - 0.4, r + n[2], n[0] % 4 ? 0.75f : 0.95f, 0, 0.55f);
      break;
    }
    case TBass::Lake:
      Add(TVoice::Bass, s0, 5.5, r, 0.9f, 0, 0.3f);
      Add(TVoice::Bass, s0 + 6, 1.5, r, 0.6f, 0, 0.3f);
      Add(TVoice::Bass, s0 + 8, 3.5, r + 7, 0.8f, 0, 0.3f);
      Add(TVoice::Bass, s0 + 12, 3.5, r + 12, 0.8f, 0, 0.3f);
      break;
  }
}

void TComposer::PadBar(const TChord& chord, double s0, double steps) {
  const std::vector<int> notes = Voicing(chord, 55, 67);
  float pan = -0.5f;
  for (int n : notes) {
    Add(TVoice::Pad, s0, steps, n, 0.5f, pan, 0.5f);
    pan += 1.0f / static_cast<float>(notes.size() - 1 ? notes.size() - 1 : 1);
  }
  Add(TVoice::Pad, s0, steps, 48 + chord.Root % 12 - (chord.Root >= 7 ? 12 : 0), 0.45f, 0, 0.5f);
}

void TComposer::ArpBar(const TChord& chord, double s0, float brightness) {
  std::vector<int> tones = Voicing(chord, 62, 74);
  tones.push_back(tones[0] + 12);
  static const int order[] = {0, 1, 2, 3, 2, 1, 2, 3, 0, 2, 1, 3, 2, 1, 3, 2};
  for (int s = 0; s < 16; ++s) {
    const int n = tones[order[s] % tones.size()];
    Add(TVoice::Arp, s0 + s, 0.8, n, s % 4 == 0 ? 0.8f : 0.55f, (s % 2 ? 0.45f : -0.45f), brightness);
  }
}

void TComposer::BellBar(const TChord& chord, double s0) {
  std::vector<int> tones = Voicing(chord, 74, 86);
  tones.push_back(tones[0] + 12);
  static const int order[] = {0, 2, 1, 3, 2, 0, 1, 2};
  for (int s = 0; s < 8; ++s)
    Add(TVoice::Bell, s0 + 2 * s, 3, tones[order[s] % tones.size()], s % 2 ? 0.35f : 0.5f, s % 2 ? 0.6f : -0.6f);
}

void TComposer::LeadBar(TLead lead, int phraseBar, double s0) {
  const std::vector<TPhraseNote>* theme = nullptr;
  bool doubled = false;
  float brightness = 0.55f;
  switch (lead) {
    case TLead::None: return;
    case TLead::ThemeA: theme = &ThemeA; break;
    case TLead::ThemeAHigh: theme = &ThemeAHigh; doubled = true; brightness = 0.7f; break;
    case TLead::ThemeB: theme = &ThemeB; brightness = 0.6f; break;
    case TLead::ThemeC: theme = &ThemeC; brightness = 0.4f; break;
    case TLead::Finale: theme = &Finale; doubled = true; brightness = 0.7f; break;
  }
  const int phraseLength = lead == TLead::Finale ? 8 : 4;
  const int want = phraseBar % phraseLength;
  for (const TPhraseNote& n : *theme) {
    if (n.Bar != want) continue;
    Add(TVoice::Lead, s0 + n.Step, n.Length - 0.3, n.Note, 0.8f, -0.1f, brightness);
    if (doubled) Add(TVoice::Lead, s0 + n.Step, n.Length - 0.3, n.Note + 12, 0.35f, 0.2f, brightness);
    if (lead == TLead::ThemeC) Add(TVoice::Bell, s0 + n.Step, n.Length, n.Note + 12, 0.3f, 0.4f);
  }
}

void TComposer::Bar(const TPatternPlan& plan, int i, int bar, bool lastBar, bool endOfPiece) {
  const double s0 = bar * 16.0;
  const std::vector<TChord>& chords = Chords(plan.Chords);
  const int phraseBar = plan.PhraseBar + i;
  const TChord& chord = chords[phraseBar % chords.size()];
  const bool finalBar = endOfPiece && lastBar;

  if (plan.Pad) PadBar(chord, s0, finalBar ? 14 : 16);
  if (plan.Arp && !finalBar) {
    const bool intro = plan.Drums == TDrums::Hats;
    ArpBar(chord, s0, intro ? 0.1f + 0.8f * i / (plan.Bars - 1) : 0.6f);
  }
  if (plan.Bells && (plan.Lead == TLead::None || plan.Lead == TLead::Finale) && !finalBar) BellBar(chord, s0);
  if (i >= plan.BassFrom) BassBar(plan.Bass, chord, s0, finalBar);
  LeadBar(plan.Lead, phraseBar, s0);

  if (plan.CrashIn && i == 0) Add(TVoice::Crash, s0, 16, 0, 0.8f, -0.3f);
  if (finalBar) {
    Add(TVoice::Kick, s0, 8, 0, 1.0f);
    Add(TVoice::Crash, s0, 16, 0, 1.0f, 0.3f);
    return;
  }
  if (i < plan.DrumsFrom) return;
  const float rise = plan.Drums == TDrums::Hats ? 0.6f + 0.4f * (i - plan.DrumsFrom) / 4.0f : 1.0f;
  if (plan.FillOut && lastBar) {
    if (plan.Drums == TDrums::Hats) {
      Drums(plan.Drums, s0, rise);
      Fill(s0, true);
    } else {
      Drums(plan.Drums == TDrums::HalfTime ? TDrums::HalfTime : TDrums::Drive, s0, 1.0f);
      // The fill takes over the second half of the bar.
      std::erase_if(Events, [&](const TNoteEvent& e) {
        return e.Start >= (s0 + 8) * StepSeconds - 1e-9 && e.Start < (s0 + 16) * StepSeconds &&
               (e.Voice == TVoice::Kick || e.Voice == TVoice::Snare || e.Voice == TVoice::OpenHat);
      });
      Fill(s0, false);
    }
  } else if (endOfPiece && i == plan.Bars - 2) {
    Drums(plan.Drums, s0, 1.0f);
    std::erase_if(Events, [&](const TNoteEvent& e) {
      return e.Start >= (s0 + 8) * StepSeconds - 1e-9 && e.Start < (s0 + 16) * StepSeconds &&
             (e.Voice == TVoice::Kick || e.Voice == TVoice::Snare || e.Voice == TVoice::OpenHat);
    });
    Fill(s0, false);
  } else {
    Drums(plan.Drums, s0, rise);
  }
  if (plan.RiserOut && lastBar) Add(TVoice::Riser, s0, 16, 0, 0.6f);
}

void TComposer::Pattern(const TPatternPlan& plan, int firstBar, bool last) {
  for (int i = 0; i < plan.Bars; ++i) Bar(plan, i, firstBar + i, i == plan.Bars - 1, last);
}

}  // namespace

std::vector<TNoteEvent> ComposeScore() {
  TComposer composer;
  const std::vector<TPatternPlan>& plan = Arrangement();
  const std::vector<int> starts = PatternStartBars();
  for (std::size_t p = 0; p < plan.size(); ++p) composer.Pattern(plan[p], starts[p], p + 1 == plan.size());
  return composer.Events;
}

std::vector<double> KickTimes(const std::vector<TNoteEvent>& score) {
  std::vector<double> times;
  for (const TNoteEvent& e : score)
    if (e.Voice == TVoice::Kick && e.Velocity > 0.5f) times.push_back(e.Start);
  std::sort(times.begin(), times.end());
  return times;
}
