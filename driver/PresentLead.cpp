// PresentLead: medians over the last frames, so that one slow frame (a
// scene's first, a busy moment) does not pull the clock about.
#include "driver/PresentLead.h"

#include <algorithm>

namespace {
// Of the distance to the medians, the part the lead closes each frame.
constexpr double Follow = 0.05;
// Longer than this is not a frame's ordinary stay (a pause, a seek).
constexpr double LongestGap = 0.25;

double Median(const double* values, int count) {
  double sorted[PresentLeadFrames];
  std::copy(values, values + count, sorted);
  std::nth_element(sorted, sorted + count / 2, sorted + count);
  return sorted[count / 2];
}
}  // namespace

double LeadFor(const TPresentLead& lead, int scene) {
  const bool known = scene >= 0 && scene < PresentLeadScenes && lead.Scene >= 0 && lead.Count > 0;
  if (!known || scene == lead.Scene || lead.SceneDraw[scene] <= 0 || lead.SceneDraw[lead.Scene] <= 0) return lead.Lead;
  const double drawing = Median(lead.ReadToPresent, lead.Count);
  const double gap = Median(lead.PresentGap, lead.Count);
  // The display's own pace: the shortest stay of late.
  const double paced = *std::min_element(lead.PresentGap, lead.PresentGap + lead.Count);
  // Reading to presenting is the drawing and what every frame costs besides.
  const double scaled = std::max(0.0, drawing + lead.SceneDraw[scene] - lead.SceneDraw[lead.Scene]);
  // Unpaced, the frame's stay is its drawing.
  const double stay = std::max(paced, gap - drawing + scaled);
  return scaled + stay / 2;
}

void LeadFrameRead(TPresentLead& lead, double now) { lead.ReadAt = now; }

void LeadFramePresented(TPresentLead& lead, double now, int scene) {
  const double gap = lead.LastPresent >= 0 ? now - lead.LastPresent : -1;
  const double read = lead.ReadAt;
  lead.LastPresent = now;
  lead.ReadAt = -1;  // a frame held and presented again was not read
  if (read < 0 || gap < 0 || gap > LongestGap) return;
  if (scene != lead.Scene) {
    lead.Scene = scene;
    lead.Count = lead.Next = 0;
  }
  lead.ReadToPresent[lead.Next] = now - read;
  lead.PresentGap[lead.Next] = gap;
  lead.Next = (lead.Next + 1) % PresentLeadFrames;
  lead.Count = std::min(lead.Count + 1, PresentLeadFrames);
  const double target = Median(lead.ReadToPresent, lead.Count) + Median(lead.PresentGap, lead.Count) / 2;
  // The first frames of a scene move it quickly, the rest gently.
  lead.Lead += (target - lead.Lead) * std::max(Follow, 1.0 / lead.Count);
}
