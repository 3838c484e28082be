// QRN2Grid: lattice fractions are formed in the wider format and rounded
// once, so a (20, 20) grid matches the same fractions computed anywhere else.
#include "engine/QRN2Grid.h"

#include <GL/gl.h>

#include <algorithm>

#include "engine/QRN2_2D.h"

namespace {
// i / (n - 1): 0 / 0 gives NaN with n = 1, as intended.
TExtended Fraction(std::int32_t i, std::int32_t n) {
  return static_cast<TExtended>(i) / (static_cast<TExtended>(n) - 1);
}
}  // namespace

TQRNGrid::TQRNGrid(std::int32_t rows, std::int32_t cols)
    : Points(static_cast<std::size_t>(std::max(rows, 0)),
             std::vector<TTexCoord>(static_cast<std::size_t>(std::max(cols, 0)), TTexCoord{0, 0})),
      Rows(rows),
      Cols(cols) {}

void TQRNGrid::Reset() {
  for (std::int32_t i = 0; i < Rows; ++i)
    for (std::int32_t j = 0; j < Cols; ++j)
      Points[i][j] = {static_cast<float>(Fraction(i, Rows)), static_cast<float>(Fraction(j, Cols))};
}

void TQRNGrid::Draw(float x0, float y0, float width, float height) const {
  glEnable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  Enter2DState();
  auto corner = [](const TTexCoord& t, float x, float y) {
    glTexCoord2f(t.u, t.v);
    glVertex3f(x, y, 0);
  };
  // One primitive of separate quads: the same quads in the same order.
  glBegin(GL_QUADS);
  for (std::int32_t i = 0; i + 1 < Rows; ++i) {
    const float xa = static_cast<float>(Fraction(i, Rows) * width);
    const float xb = static_cast<float>(Fraction(i + 1, Rows) * width);
    for (std::int32_t j = 0; j + 1 < Cols; ++j) {
      const float ya = static_cast<float>(Fraction(j, Cols) * height);
      const float yb = static_cast<float>(Fraction(j + 1, Cols) * height);
      corner(Points[i][j], x0 + xa, y0 + ya);
      corner(Points[i][j + 1], x0 + xa, y0 + yb);
      corner(Points[i + 1][j + 1], x0 + xb, y0 + yb);
      corner(Points[i + 1][j], x0 + xb, y0 + ya);
    }
  }
  glEnd();
  Leave2DState();
}
