// WombatModel: the body is one swept surface from tail to nose whose cross
// sections follow a profile table; legs and ears are closed shapes that sink
// into it. Mesh 0's vertex count sets the hair's cost (40 strands per vertex
// per frame): about 600 vertices keep the Wombat scene above 60 frames a
// second on a two-core software renderer (measured: 500 vertices 88, 762 72,
// 900 66 frames a second for the hair alone).
#include <cmath>

#include "tools/mediagen/MeshKit.h"
#include "tools/mediagen/Models.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

struct TProfile {
  double X, HalfWidth, HalfHeight, Centre;  // along the body, in model units
};

// Tail (x = -64) to nose (x = 70): a barrel, a slight neck, a broad head.
const TProfile Body[] = {
    {-64, 0, 0, 2},    {-60, 17, 16, 3},  {-52, 26, 25, 3},  {-40, 31, 30, 2},  {-24, 34, 32, 1},
    {-6, 34, 32, 0},   {10, 33, 31, 0},   {24, 30, 28, 0},   {34, 26, 24, 1},   {40, 25, 23, 2},
    {48, 26, 22, 1},   {56, 24, 19, 0},   {62, 20, 15, -1},  {66, 15, 11, -2},  {69, 9, 7, -3},
    {70.5, 0, 0, -3},
};

TProfile At(double u) {
  const int n = static_cast<int>(std::size(Body)) - 1;
  const double f = u * n;
  const int i = std::min(n - 1, static_cast<int>(f));
  const double t = f - i, s = t * t * (3 - 2 * t);
  const TProfile& a = Body[i];
  const TProfile& b = Body[i + 1];
  return {a.X + (b.X - a.X) * t, a.HalfWidth + (b.HalfWidth - a.HalfWidth) * s,
          a.HalfHeight + (b.HalfHeight - a.HalfHeight) * s, a.Centre + (b.Centre - a.Centre) * s};
}

// Cross-section: a superellipse, flatter underneath like a wombat's belly.
TVec3 BodyPoint(double u, double angle) {
  const TProfile p = At(u);
  const double c = std::cos(angle), s = std::sin(angle);
  const double k = 2.0 / 2.6;
  const double y = p.HalfWidth * std::copysign(std::pow(std::fabs(c), k), c);
  double z = p.HalfHeight * std::copysign(std::pow(std::fabs(s), k), s);
  if (z < 0) z *= 0.92;
  return {p.X, y, p.Centre + z};
}

// A leg: a short rounded column from inside the body down to the ground.
TMesh Leg(double x, double y, double radius) {
  const double top = -12, bottom = WombatFeetZ;
  return SweptSurface(5, 8, [=](double u, double a) {
    // u runs from the top pole down to the sole; rounded at both ends.
    const double z = top + (bottom - top) * u;
    double r = radius * (1 - 0.15 * u);
    if (u < 0.15) r *= std::sin(u / 0.15 * Pi / 2);
    if (u > 0.85) r *= std::sqrt(std::max(0.0, 1 - std::pow((u - 0.85) / 0.15, 2)));
    return TVec3{x + r * std::cos(a) + 2.5 * u, y + r * std::sin(a), z};
  });
}

TMesh Ear(double y) {
  TMesh ear = Ellipsoid({0, 0, 0}, {4.5, 2.2, 7.0}, 4, 6);
  for (TVec3& v : ear.Vertices) v = TVec3{v.x + 46 + 0.35 * v.z, v.y + y + (y > 0 ? 0.3 : -0.3) * v.z, v.z + 24};
  return ear;
}

}  // namespace

T3DSModel WombatModel() {
  TMesh fur = SweptSurface(24, 16, BodyPoint);
  fur.Append(Leg(34, 17, 8.5));
  fur.Append(Leg(34, -17, 8.5));
  fur.Append(Leg(-38, 19, 9.5));
  fur.Append(Leg(-38, -19, 9.5));
  fur.Append(Ear(13));
  fur.Append(Ear(-13));

  TMesh details = Ellipsoid({70, 0, -2}, {3.5, 6.5, 4.5}, 4, 10);  // nose
  details.Append(Ellipsoid({56, 13.5, 5}, {3, 3, 3.2}, 4, 8));      // eyes
  details.Append(Ellipsoid({56, -13.5, 5}, {3, 3, 3.2}, 4, 8));
  for (double lx : {34.0, -38.0})
    for (double ly : {1.0, -1.0})
      for (int c = -1; c <= 1; ++c)
        details.Append(Ellipsoid({lx + 10.5, ly * (lx > 0 ? 17 : 19) + c * 3.6, WombatFeetZ + 1.6},
                                 {3.6, 1.1, 1.5}, 3, 6));

  T3DSModel model;
  model.Objects.push_back(ToObject("WombatFur", fur));
  model.Objects.push_back(ToObject("WombatDetails", details));
  return model;
}
