// PresentLead: how far ahead of the sound a frame's time is read, so that
// the frame is seen while its time is heard. A frame is read from the clock,
// drawn, presented, and then stays on screen until the next one: its time
// should be heard about half-way through that stay. The lead is the recent
// frames' time from reading to presenting, and half their time between
// presents, followed gently so that the clock never steps. A scene draws in
// a time of its own: at a cut the lead moves by the difference of the two
// scenes' drawing times (measured when they were first drawn, unseen), and
// is then learnt again from the new scene's frames.
// Needs: nothing (plain numbers, seconds of any steady clock).
#pragma once

constexpr int PresentLeadFrames = 31;  // the recent frames the lead is taken from
constexpr int PresentLeadScenes = 8;

struct TPresentLead {
  double ReadToPresent[PresentLeadFrames] = {};
  double PresentGap[PresentLeadFrames] = {};
  int Count = 0, Next = 0;
  double ReadAt = -1, LastPresent = -1;
  int Scene = -1;   // of the frames counted
  double Lead = 0;  // seconds, for frames of Scene
  double SceneDraw[PresentLeadScenes] = {};  // each scene's drawing time; 0: not known
};

// The lead for a frame of `scene`.
double LeadFor(const TPresentLead& lead, int scene);
// The frame's clock was read at `now`.
void LeadFrameRead(TPresentLead& lead, double now);
// That frame, of scene `scene`, was presented at `now`; the lead moves
// towards the recent frames' median reading-to-presenting plus half their
// median gap.
void LeadFramePresented(TPresentLead& lead, double now, int scene);
