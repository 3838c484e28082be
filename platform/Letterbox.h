// Letterbox: where a frame of one shape goes in a drawable of another, and
// the bars beside it. Shared by the desktop's and the browser's frame targets.
// Needs: nothing (plain numbers).
#pragma once
#include <array>

struct TLetterbox {
  int X = 0, Y = 0, Width = 0, Height = 0;  // the picture within the drawable
};
// The largest rectangle of the frame's shape centred in the drawable.
TLetterbox Letterbox(int frameWidth, int frameHeight, int drawWidth, int drawHeight);
// The drawable beside the picture: left, right, and the two bands across
// (some empty). The bars are symmetric, so rows may count from either edge.
std::array<TLetterbox, 4> LetterboxBars(const TLetterbox& picture, int drawWidth, int drawHeight);
