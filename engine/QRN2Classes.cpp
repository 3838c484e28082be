#include "engine/QRN2Classes.h"

#include <cmath>

const TVertex ZeroVector{0, 0, 0};

TVertex MakeVertex(float x, float y, float z) { return TVertex{x, y, z}; }
TTexCoord MakeTexCoord(float u, float v) { return TTexCoord{u, v}; }
TFace MakeFace(std::int32_t a, std::int32_t b, std::int32_t c) { return TFace{a, b, c}; }
TTriangle MakeTriangle(const TVertex& p, const TVertex& q, const TVertex& r) {
  return TTriangle{p, q, r};
}
TColor4 MakeColor4(float r, float g, float b, float a) { return TColor4{r, g, b, a}; }

float PointDistance(const TVertex& a, const TVertex& b) {
  const TExtended dx = TExtended(a.x) - b.x;
  const TExtended dy = TExtended(a.y) - b.y;
  const TExtended dz = TExtended(a.z) - b.z;
  const float h = static_cast<float>(std::sqrt(dx * dx + dz * dz));
  return static_cast<float>(std::sqrt(dy * dy + TExtended(h) * h));
}

TVertex ScaleVector(const TVertex& a, float s) {
  return TVertex{static_cast<float>(TExtended(a.x) * s), static_cast<float>(TExtended(a.y) * s),
                 static_cast<float>(TExtended(a.z) * s)};
}

float DegToRad(float degrees) {
  const TExtended twoPi = 6.283185307179586477;
  return static_cast<float>(TExtended(degrees) / 360 * twoPi);
}

void RotateVertex(TVertex& p, const TVertex& angles) {
  const TVertex w = angles;
  TExtended x = p.x, y = p.y, z = p.z;

  TExtended r = DegToRad(w.x), s = std::sin(r), c = std::cos(r);
  TExtended t = c * y - s * z;
  z = s * y + c * z;
  y = t;

  r = DegToRad(w.y), s = std::sin(r), c = std::cos(r);
  t = c * x - s * z;
  z = s * x + c * z;
  x = t;

  r = DegToRad(w.z), s = std::sin(r), c = std::cos(r);
  t = c * x - s * y;
  y = s * x + c * y;
  x = t;

  p = TVertex{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}
