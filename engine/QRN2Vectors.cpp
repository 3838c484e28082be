#include "engine/QRN2Vectors.h"

#include <cmath>

TVertex VectorFromTo(const TVertex& a, const TVertex& b) {
  return TVertex{static_cast<float>(TExtended(b.x) - a.x), static_cast<float>(TExtended(b.y) - a.y),
                 static_cast<float>(TExtended(b.z) - a.z)};
}

TVertex NegateVector(const TVertex& a) { return TVertex{-a.x, -a.y, -a.z}; }

TVertex CrossProduct(const TVertex& a, const TVertex& b) {
  const TVertex p = a, q = b;
  return TVertex{static_cast<float>(TExtended(p.y) * q.z - TExtended(p.z) * q.y),
                 static_cast<float>(TExtended(p.z) * q.x - TExtended(p.x) * q.z),
                 static_cast<float>(TExtended(p.x) * q.y - TExtended(p.y) * q.x)};
}

TVertex TriangleNormal(const TTriangle& t) {
  // Both edges are rounded to single before the cross product.
  const TVertex e1 = VectorFromTo(t.A, t.B);
  const TVertex d = VectorFromTo(t.C, t.A);
  const TVertex e2 = NegateVector(d);
  return CrossProduct(e1, e2);
}

void NormalizeVector(TVertex& v) {
  const TExtended x = v.x, y = v.y, z = v.z;
  const float len = static_cast<float>(std::sqrt(x * x + y * y + z * z));
  v = TVertex{static_cast<float>(x / len), static_cast<float>(y / len), static_cast<float>(z / len)};
}
