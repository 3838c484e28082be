// Arrangement: which pattern shows which scene drives its character:
//   0 opening warp (slow build)  1 still picture (the beat drops)
//   2-3 picture + caption (main theme)  4-5 wombat (groove)  6 title card
//   (break)  7-17 the lake (lighter, then building to a climax)
//   18 wombat finale (last statement and cadence)
#include "tools/mediagen/Arrangement.h"

namespace {

using D = TDrums;
using B = TBass;
using L = TLead;
using P = TProgression;

const std::vector<TPatternPlan> Plan = {
    // bars chords phrase drums from bass from lead pad arp bells crash fill riser
    {8, P::Main, 0, D::Hats, 4, B::Hold, 4, L::None, true, true, false, false, true, true},       // 0
    {4, P::Main, 0, D::Drive, 0, B::Drive, 0, L::None, true, true, false, true, true, false},     // 1
    {4, P::Main, 0, D::Drive, 0, B::Drive, 0, L::ThemeA, true, true, false, true, false, false},  // 2
    {4, P::Main, 0, D::Drive, 0, B::Drive, 0, L::ThemeAHigh, true, true, true, false, true, false},  // 3
    {4, P::Groove, 0, D::Groove, 0, B::Groove, 0, L::None, true, true, false, true, false, false},   // 4
    {8, P::Groove, 0, D::Groove, 0, B::Groove, 0, L::ThemeB, true, true, false, true, true, false},  // 5
    {2, P::Break, 0, D::None, 0, B::Hold, 0, L::None, true, false, true, false, false, true},        // 6
    {4, P::Lake, 0, D::HalfTime, 0, B::Lake, 0, L::None, true, false, true, true, false, false},     // 7
    {2, P::Lake, 0, D::HalfTime, 0, B::Lake, 0, L::ThemeC, true, true, true, false, false, false},   // 8
    {2, P::Lake, 2, D::HalfTime, 0, B::Lake, 0, L::ThemeC, true, true, true, false, true, false},    // 9
    {2, P::Main, 0, D::Drive, 0, B::Drive, 0, L::ThemeA, true, true, false, true, false, false},     // 10
    {2, P::Main, 2, D::Drive, 0, B::Drive, 0, L::ThemeA, true, true, true, false, true, false},      // 11
    {2, P::Groove, 0, D::Groove, 0, B::Groove, 0, L::ThemeB, true, true, false, true, false, false}, // 12
    {2, P::Groove, 2, D::Groove, 0, B::Groove, 0, L::ThemeB, true, true, false, false, true, false}, // 13
    {2, P::Lake, 0, D::HalfTime, 0, B::Lake, 0, L::ThemeC, true, true, true, true, false, false},    // 14
    {2, P::Lake, 2, D::HalfTime, 0, B::Lake, 0, L::ThemeC, true, true, true, false, false, true},    // 15
    {2, P::Main, 0, D::Drive, 0, B::Drive, 0, L::ThemeAHigh, true, true, true, true, false, false},  // 16
    {2, P::Main, 2, D::Drive, 0, B::Drive, 0, L::ThemeAHigh, true, true, true, false, true, false},  // 17
    {8, P::Finale, 0, D::Drive, 0, B::Drive, 0, L::Finale, true, true, true, true, false, false},    // 18
};

}  // namespace

const std::vector<TPatternPlan>& Arrangement() { return Plan; }

int TotalBars() {
  int bars = 0;
  for (const TPatternPlan& p : Plan) bars += p.Bars;
  return bars;
}

std::vector<int> PatternStartBars() {
  std::vector<int> starts{0};
  for (const TPatternPlan& p : Plan) starts.push_back(starts.back() + p.Bars);
  return starts;
}

std::vector<float> PatternEnds() {
  std::vector<float> ends;
  const std::vector<int> starts = PatternStartBars();
  for (std::size_t i = 1; i < starts.size(); ++i) ends.push_back(static_cast<float>(starts[i] * BarSeconds));
  return ends;
}

double MusicSeconds() { return TotalBars() * BarSeconds + TailSeconds; }
