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
  std::vector<TRing> rings;
  double r = 0;
  // Segments keep to about a third of a unit round the middle and no more:
  // the camera looks at the lake floor from 90 units away, and so low that
  // rings 0.8 apart lie two pixels apart on screen.
  while (r < 26) {
    r += 0.8;
    rings.push_back({r, r < 2.5 ? 32 : r < 9 ? 64 : 128});
  }
  while (r < 330) rings.push_back({r *= 1.06, 128});
  return PolarDisc(rings, LandHeight, [](double x, double y) {
    return std::array<double, 2>{x / 16, y / 16};  // stone tiles every 16 units
  });
}

// The water: a flat disc over the basin, out to where the shore stands above
// the highest wave. The scene's waves run out from the centre, so the disc
// is cut in rings: rings a quarter of a wave apart (the wave is 2.51 units
// long, and a whole number of rings to it keeps every crest alike as the
// waves move out), and just enough segments round them to keep each ring's
// circle smooth on screen: a square grid that resolved the waves as well
// would need several times the triangles.
TMesh Water() {
  constexpr double Radius = 42, Half = 44;  // mapped as an 88 x 88 square
  constexpr int Rings = 67, Segments = 48;
  std::vector<TRing> rings;
  for (int i = 1; i <= Rings; ++i) rings.push_back({Radius * i / Rings, Segments});
  return PolarDisc(rings, [](double, double) { return 0.0; }, [](double x, double y) {
    return std::array<double, 2>{(x + Half) / (2 * Half), (y + Half) / (2 * Half)};
  });
}

// Trefoil knot of a rope with five ridges that twist along it: 210 steps
// along give each of the ridges' 36 twists about six.
TMesh Knot() {
  constexpr double Scale = 36, Tube = 19;
  auto centre = [](double t) {
    const double a = 2 * Pi * t;
    return TVec3{std::sin(a) + 2 * std::sin(2 * a), std::cos(a) - 2 * std::cos(2 * a), -std::sin(3 * a)} * Scale;
  };
  return ClosedTube(210, 20, [&](double t, double angle) {
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
