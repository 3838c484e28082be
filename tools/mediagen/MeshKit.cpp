// MeshKit: indices are built ring by ring; orientation is fixed afterwards
// from the signed volume, so the builders need not think about winding.
#include "tools/mediagen/MeshKit.h"

#include <cmath>
#include <map>
#include <stdexcept>

namespace {
constexpr double Pi = 3.14159265358979323846;
}

TVec3 operator+(TVec3 a, TVec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
TVec3 operator-(TVec3 a, TVec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
TVec3 operator*(TVec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
TVec3 Cross(TVec3 a, TVec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(TVec3 a, TVec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
TVec3 Normalised(TVec3 a) {
  const double l = std::sqrt(Dot(a, a));
  return l > 0 ? a * (1 / l) : a;
}

void TMesh::Append(const TMesh& other) {
  const int base = static_cast<int>(Vertices.size());
  Vertices.insert(Vertices.end(), other.Vertices.begin(), other.Vertices.end());
  MapCoords.insert(MapCoords.end(), other.MapCoords.begin(), other.MapCoords.end());
  for (auto f : other.Faces) Faces.push_back({f[0] + base, f[1] + base, f[2] + base});
}

double TMesh::SignedVolume() const {
  double v = 0;
  for (auto f : Faces) v += Dot(Vertices[f[0]], Cross(Vertices[f[1]], Vertices[f[2]]));
  return v;
}

void TMesh::Flip() {
  for (auto& f : Faces) std::swap(f[1], f[2]);
}

TMesh SweptSurface(int rings, int segments, const std::function<TVec3(double, double)>& point) {
  TMesh m;
  m.Vertices.push_back(point(0, 0));
  m.MapCoords.push_back({0.5, 0});
  for (int r = 1; r <= rings; ++r) {
    const double u = static_cast<double>(r) / (rings + 1);
    for (int s = 0; s < segments; ++s) {
      m.Vertices.push_back(point(u, 2 * Pi * s / segments));
      m.MapCoords.push_back({static_cast<double>(s) / segments, u});
    }
  }
  m.Vertices.push_back(point(1, 0));
  m.MapCoords.push_back({0.5, 1});
  const int last = static_cast<int>(m.Vertices.size()) - 1;
  auto at = [&](int r, int s) { return 1 + (r - 1) * segments + (s % segments); };
  for (int s = 0; s < segments; ++s) {
    m.Faces.push_back({0, at(1, s + 1), at(1, s)});
    m.Faces.push_back({last, at(rings, s), at(rings, s + 1)});
  }
  for (int r = 1; r < rings; ++r)
    for (int s = 0; s < segments; ++s) {
      m.Faces.push_back({at(r, s), at(r, s + 1), at(r + 1, s + 1)});
      m.Faces.push_back({at(r, s), at(r + 1, s + 1), at(r + 1, s)});
    }
  OrientOutwards(m);
  return m;
}

TMesh Ellipsoid(TVec3 c, TVec3 radii, int rings, int segments) {
  return SweptSurface(rings, segments, [&](double u, double a) {
    const double t = Pi * u, ring = std::sin(t);
    return TVec3{c.x - radii.x * std::cos(t), c.y + radii.y * ring * std::cos(a), c.z + radii.z * ring * std::sin(a)};
  });
}

TMesh ClosedTube(int steps, int segments, const std::function<TVec3(double, double)>& point) {
  TMesh m;
  for (int i = 0; i < steps; ++i)
    for (int s = 0; s < segments; ++s) {
      const double t = static_cast<double>(i) / steps;
      m.Vertices.push_back(point(t, 2 * Pi * s / segments));
      m.MapCoords.push_back({t * 8, static_cast<double>(s) / segments});
    }
  auto at = [&](int i, int s) { return (i % steps) * segments + (s % segments); };
  for (int i = 0; i < steps; ++i)
    for (int s = 0; s < segments; ++s) {
      m.Faces.push_back({at(i, s), at(i + 1, s), at(i + 1, s + 1)});
      m.Faces.push_back({at(i, s), at(i + 1, s + 1), at(i, s + 1)});
    }
  OrientOutwards(m);
  return m;
}

TMesh PolarDisc(const std::vector<TRing>& rings, const std::function<double(double, double)>& height,
                const std::function<std::array<double, 2>(double, double)>& map) {
  TMesh m;
  auto add = [&](double x, double y) {
    m.Vertices.push_back({x, y, height(x, y)});
    m.MapCoords.push_back(map(x, y));
  };
  add(0, 0);
  std::vector<int> first;  // index of each ring's vertex at angle 0
  for (const TRing& ring : rings) {
    first.push_back(static_cast<int>(m.Vertices.size()));
    for (int s = 0; s < ring.Segments; ++s) {
      const double a = 2 * Pi * s / ring.Segments;
      add(ring.Radius * std::cos(a), ring.Radius * std::sin(a));
    }
  }
  if (rings.empty()) return m;
  for (int s = 0; s < rings[0].Segments; ++s)
    m.Faces.push_back({0, first[0] + s, first[0] + (s + 1) % rings[0].Segments});
  // Walk both rings by angle, always advancing the one whose next vertex
  // comes first: each step closes one triangle.
  for (std::size_t k = 0; k + 1 < rings.size(); ++k) {
    const int na = rings[k].Segments, nb = rings[k + 1].Segments;
    const int a0 = first[k], b0 = first[k + 1];
    int i = 0, j = 0;
    while (i < na || j < nb) {
      const bool outer = i == na || (j < nb && static_cast<double>(j + 1) / nb <= static_cast<double>(i + 1) / na);
      if (outer) {
        m.Faces.push_back({a0 + i % na, b0 + j, b0 + (j + 1) % nb});
        ++j;
      } else {
        m.Faces.push_back({a0 + i, b0 + j % nb, a0 + (i + 1) % na});
        ++i;
      }
    }
  }
  return m;
}

bool IsClosedAndConsistent(const TMesh& mesh) {
  std::map<std::pair<int, int>, int> directed;
  for (auto f : mesh.Faces)
    for (int k = 0; k < 3; ++k) {
      const int a = f[k], b = f[(k + 1) % 3];
      if (a == b) return false;
      if (++directed[{a, b}] > 1) return false;
    }
  for (const auto& [edge, count] : directed)
    if (!directed.count({edge.second, edge.first})) return false;
  return true;
}

void OrientOutwards(TMesh& mesh) {
  if (mesh.SignedVolume() < 0) mesh.Flip();
}

T3DSObject ToObject(const std::string& name, const TMesh& mesh) {
  if (mesh.Vertices.size() > 65535 || mesh.Faces.size() > 65535) throw std::length_error(name + " is too big for 3DS");
  T3DSObject o;
  o.Name = name;
  for (const TVec3& v : mesh.Vertices)
    o.Vertices.push_back({static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)});
  for (const auto& uv : mesh.MapCoords) o.MapCoords.push_back({static_cast<float>(uv[0]), static_cast<float>(uv[1])});
  for (auto f : mesh.Faces)
    o.Faces.push_back({static_cast<std::uint16_t>(f[0]), static_cast<std::uint16_t>(f[1]),
                       static_cast<std::uint16_t>(f[2]), 7});
  return o;
}
