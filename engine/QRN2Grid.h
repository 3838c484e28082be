// QRN2Grid: a lattice of texture coordinates drawn as a screen-aligned
// patchwork of quads over a rectangle in window pixels. Moving the
// coordinates distorts the bound texture; the positions stay regular.
// Needs: QRN2Classes (TTexCoord), QRN2_2D (the 2D state pair), a current GL context.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/QRN2Classes.h"

class TQRNGrid {
 public:
  // Points[i][j]: the texture coordinate at lattice point (i, j), i along
  // the screen's x axis, j along y. Callers change u and v, never the sizes.
  std::vector<std::vector<TTexCoord>> Points;
  std::int32_t Rows;  // points along x
  std::int32_t Cols;  // points along y

  // All points (0, 0). Fewer than 2 rows or columns draw nothing.
  TQRNGrid(std::int32_t rows, std::int32_t cols);
  // The undistorted mapping: u from 0 to 1 along x, v from 0 to 1 along y
  // (NaN with a single row or column).
  void Reset();
  // Draws over (x0, y0)-(x0 + width, y0 + height) with the bound texture,
  // in white. Leaves texturing, lighting and depth test on, blending off,
  // the perspective projection in place.
  void Draw(float x0, float y0, float width, float height) const;
};
