// Score: the notes of the piece, composed bar by bar from the arrangement:
// chords, bass lines, drum patterns, arpeggios and the lead themes.
#pragma once
#include <vector>

enum class TVoice { Kick, Snare, ClosedHat, OpenHat, Crash, Tom, Riser, Bass, Pad, Arp, Bell, Lead };

struct TNoteEvent {
  TVoice Voice;
  double Start;     // seconds from the start of the music
  double Length;    // seconds the note is held
  double Note;      // MIDI note number (drums: a tuning hint)
  float Velocity;   // 0..1
  float Pan;        // -1 left .. 1 right
  float Brightness; // 0..1, filter opening for the pitched voices
};

// Every note of the piece, in no particular order.
std::vector<TNoteEvent> ComposeScore();

// Times of the kicks, for the side-chain pumping of the pads and bass.
std::vector<double> KickTimes(const std::vector<TNoteEvent>& score);
