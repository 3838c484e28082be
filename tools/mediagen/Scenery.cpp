// Scenery: the land and the licorice knot. The land is a polar grid around
// the lake: rings close together near the middle, where the rocks for the
// two small wombats need detail, and ever wider out to the mountains.
// The Lakris scene draws the land as it is in the file, turned so z is up.
#include <algorithm>
#include <cmath>

#include "tools/mediagen/MeshKit.h"
#include "tools/mediagen/Models.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

double Smooth(double e0, double e1, double x) {
  const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// A few octaves of sines: rocky bumps without any random state.
double Bumps(double x, double y) {
  return 0.5 * std::sin(x * 0.31 + 1.3) * std::sin(y * 0.27 + 0.4) + 0.3 * std::sin(x * 0.73 - y * 0.61) +
         0.2 * std::sin(x * 1.7 + 2.1) * std::cos(y * 1.3 - 0.7);
}

// A rock whose flat top lies at `top` over an ellipse of half-axes (a, b),
// falling steeply away: the small wombats' feet stand on the flat part.
double Rock(double x, double y, double cx, double cy, double a, double b, double top) {
  const double e = std::hypot((x - cx) / a, (y - cy) / b);
  if (e <= 1) return top;
  return top - 0.9 * std::pow((e - 1) * std::min(a, b), 1.3) + 0.3 * Bumps(3 * x, 3 * y) * Smooth(1, 1.5, e);
}

// Where the Lakris scene puts its wombats' feet (scene scale x model feet).
constexpr double BigWombatFeet = 8.0 + 0.05 * WombatFeetZ;    // at (15, 0)
constexpr double SmallWombatFeet = 7.5 + 0.03 * WombatFeetZ;  // at (-9, 0)

double LandHeight(double x, double y) {
  const double r = std::hypot(x, y);
  // Lake floor, shore, meadow, then mountains far out.
  double h = -7 + 0.6 * Bumps(x, y);
  h += 14 * Smooth(30, 44, r);  // above the highest wave before the water grid ends
  h += (6 + 4 * Bumps(0.3 * x, 0.3 * y)) * Smooth(55, 110, r);
  const double ridge = 0.5 + 0.5 * std::sin(std::atan2(y, x) * 5 + 0.7) * std::sin(std::atan2(y, x) * 3 - 0.4);
  h += (35 + 45 * ridge) * Smooth(120, 300, r) + 6 * Bumps(0.05 * x, 0.05 * y) * Smooth(100, 200, r);
  h = std::max(h, Rock(x, y, 15, 0, 5.2, 3.0, BigWombatFeet));
  h = std::max(h, Rock(x, y, -9, 0, 3.2, 2.0, SmallWombatFeet));
  return h;
}

TMesh Land() {
  std::vector<double> radii{0};
  while (radii.back() < 26) radii.push_back(radii.back() + 0.55);
  while (radii.back() < 330) radii.push_back(radii.back() * 1.06);
  constexpr int Segments = 128;
  TMesh m;
  m.Vertices.push_back({0, 0, LandHeight(0, 0)});
  m.MapCoords.push_back({0, 0});
  for (std::size_t i = 1; i < radii.size(); ++i)
    for (int s = 0; s < Segments; ++s) {
      const double a = 2 * Pi * s / Segments, x = radii[i] * std::cos(a), y = radii[i] * std::sin(a);
      m.Vertices.push_back({x, y, LandHeight(x, y)});
      m.MapCoords.push_back({x / 16, y / 16});  // stone tiles every 16 units
    }
  auto at = [&](std::size_t ring, int s) { return static_cast<int>(1 + (ring - 1) * Segments + s % Segments); };
  for (int s = 0; s < Segments; ++s) m.Faces.push_back({0, at(1, s), at(1, s + 1)});
  for (std::size_t i = 1; i + 1 < radii.size(); ++i)
    for (int s = 0; s < Segments; ++s) {
      m.Faces.push_back({at(i, s), at(i + 1, s), at(i + 1, s + 1)});
      m.Faces.push_back({at(i, s), at(i + 1, s + 1), at(i, s + 1)});
    }
  return m;  // counter-clockwise seen from above
}

// The water: a flat square grid over the basin; the scene replaces its
// height with the waves, whose wavelength (about 2.5 units) wants vertices
// at most about 0.65 apart.
TMesh Water() {
  constexpr int N = 137;
  constexpr double Half = 44;
  TMesh m;
  for (int j = 0; j < N; ++j)
    for (int i = 0; i < N; ++i) {
      const double x = -Half + 2 * Half * i / (N - 1), y = -Half + 2 * Half * j / (N - 1);
      m.Vertices.push_back({x, y, 0});
      m.MapCoords.push_back({static_cast<double>(i) / (N - 1), static_cast<double>(j) / (N - 1)});
    }
  for (int j = 0; j + 1 < N; ++j)
    for (int i = 0; i + 1 < N; ++i) {
      const int a = j * N + i;
      m.Faces.push_back({a, a + 1, a + N + 1});
      m.Faces.push_back({a, a + N + 1, a + N});
    }
  return m;
}

// Trefoil knot of a rope with five ridges that twist along it.
TMesh Knot() {
  constexpr double Scale = 36, Tube = 19;
  auto centre = [](double t) {
    const double a = 2 * Pi * t;
    return TVec3{std::sin(a) + 2 * std::sin(2 * a), std::cos(a) - 2 * std::cos(2 * a), -std::sin(3 * a)} * Scale;
  };
  return ClosedTube(420, 20, [&](double t, double angle) {
    const double dt = 1e-4;
    const TVec3 c = centre(t), tangent = Normalised(centre(t + dt) - centre(t - dt));
    // A frame that turns smoothly with the curve: up is the z axis made
    // perpendicular to the tangent (the trefoil never runs along z).
    const TVec3 side = Normalised(Cross(tangent, TVec3{0, 0, 1}));
    const TVec3 up = Cross(side, tangent);
    const double r = Tube * (1 + 0.16 * std::cos(5 * angle + 2 * Pi * 36 * t));
    return c + side * (r * std::cos(angle)) + up * (r * std::sin(angle));
  });
}

}  // namespace

T3DSModel LandModel() {
  T3DSModel model;
  T3DSObject sun;
  sun.Name = "Sun";
  sun.Kind = T3DSObjectKind::Light;
  sun.Position = {400, -300, 500};
  model.Objects.push_back(sun);
  model.Objects.push_back(ToObject("Land", Land()));
  model.Objects.push_back(ToObject("Water", Water()));
  return model;
}

T3DSModel LakrisModel() {
  TMesh knot = Knot();
  // Stand the knot upright, facing where the scene's camera waits, with its
  // middle at 28 / 0.15 units up (the scene scales the model by 0.15).
  const double facing = 38 * Pi / 180;
  const TVec3 across{std::sin(facing), std::cos(facing), 0}, depth{std::cos(facing), -std::sin(facing), 0};
  for (TVec3& v : knot.Vertices) v = across * v.x + TVec3{0, 0, v.y + 28 / 0.15} + depth * v.z;
  OrientOutwards(knot);
  T3DSModel model;
  model.Objects.push_back(ToObject("Lakris", knot));
  return model;
}
