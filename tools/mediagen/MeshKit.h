// MeshKit: builds closed triangle meshes for the models: lathe-like swept
// surfaces closed at both ends, tubes along closed paths and height grids,
// each vertex with a mapping coordinate, faces counter-clockwise seen from
// outside. Meshes convert to the 3DS writer's objects.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tools/writers/Writer3DS.h"

struct TVec3 {
  double x, y, z;
};
TVec3 operator+(TVec3 a, TVec3 b);
TVec3 operator-(TVec3 a, TVec3 b);
TVec3 operator*(TVec3 a, double s);
TVec3 Cross(TVec3 a, TVec3 b);
double Dot(TVec3 a, TVec3 b);
TVec3 Normalised(TVec3 a);

struct TMesh {
  std::vector<TVec3> Vertices;
  std::vector<std::array<double, 2>> MapCoords;
  std::vector<std::array<int, 3>> Faces;

  // Adds another mesh's vertices and faces (indices shifted).
  void Append(const TMesh& other);
  // Six times the enclosed volume: positive when the faces wind outwards.
  double SignedVolume() const;
  // Reverses every face's corner order.
  void Flip();
};

// A closed surface swept along u in [0, 1] with `rings` inner rings of
// `segments` vertices and one pole vertex at each end. point(u, angle) gives
// the surface point; at u = 0 and u = 1 it must not depend on the angle.
TMesh SweptSurface(int rings, int segments, const std::function<TVec3(double u, double angle)>& point);

// An ellipsoid as a swept surface about its x axis.
TMesh Ellipsoid(TVec3 centre, TVec3 radii, int rings, int segments);

// A tube around a closed path: point(t, angle), t in [0, 1) and wrapping.
TMesh ClosedTube(int steps, int segments, const std::function<TVec3(double t, double angle)>& point);

// A disc in the x-y plane cut into rings around a centre vertex at the
// origin: ring k lies at Rings[k].Radius with Rings[k].Segments vertices
// evenly round it (the first at angle 0), and neighbouring rings with
// different counts are stitched. height(x, y) gives z, map(x, y) the mapping
// coordinate. Faces counter-clockwise seen from +z.
struct TRing {
  double Radius;
  int Segments;
};
TMesh PolarDisc(const std::vector<TRing>& rings, const std::function<double(double x, double y)>& height,
                const std::function<std::array<double, 2>(double x, double y)>& map);

// Every edge shared by exactly two faces that run it in opposite directions.
bool IsClosedAndConsistent(const TMesh& mesh);

// Winds the mesh outwards if it winds inwards.
void OrientOutwards(TMesh& mesh);

T3DSObject ToObject(const std::string& name, const TMesh& mesh);
