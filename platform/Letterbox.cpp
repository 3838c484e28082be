// Letterbox: integer sums only, so both backends place the picture alike.
#include "platform/Letterbox.h"

TLetterbox Letterbox(int frameWidth, int frameHeight, int drawWidth, int drawHeight) {
  const long long fw = frameWidth, fh = frameHeight, dw = drawWidth, dh = drawHeight;
  TLetterbox b;
  if (fw <= 0 || fh <= 0) return b;
  if (dw * fh > dh * fw) {  // drawable wider than the frame
    b.Height = static_cast<int>(dh);
    b.Width = static_cast<int>(dh * fw / fh);
  } else {
    b.Width = static_cast<int>(dw);
    b.Height = static_cast<int>(dw * fh / fw);
  }
  b.X = (drawWidth - b.Width) / 2;
  b.Y = (drawHeight - b.Height) / 2;
  return b;
}

std::array<TLetterbox, 4> LetterboxBars(const TLetterbox& b, int drawWidth, int drawHeight) {
  return {{{0, 0, b.X, drawHeight},
           {b.X + b.Width, 0, drawWidth - b.X - b.Width, drawHeight},
           {0, 0, drawWidth, b.Y},
           {0, b.Y + b.Height, drawWidth, drawHeight - b.Y - b.Height}}};
}
