// QRN2Vectors: difference, negation, cross product, triangle normal and
// normalisation of TVertex values. Each result component is computed in
// double from the single inputs and rounded once; inputs are copied before
// the result is written, so a result may overwrite an argument.
// Needs: QRN2Classes (the value types).
#pragma once
#include "engine/QRN2Classes.h"

// b - a
TVertex VectorFromTo(const TVertex& a, const TVertex& b);
TVertex NegateVector(const TVertex& a);
TVertex CrossProduct(const TVertex& a, const TVertex& b);
// (B - A) x (C - A), not normalised: twice the area, pointing to the side
// from which A, B, C run counter-clockwise.
TVertex TriangleNormal(const TTriangle& t);
// Divides v by its length in place. A zero vector becomes NaN, NaN, NaN.
void NormalizeVector(TVertex& v);
