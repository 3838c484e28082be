// QRN2Classes: the engine's geometry value types (vertices, texture
// coordinates, faces, triangles, colours), their constructors and the point
// operations built on them: distance, scaling, degrees to radians, rotation.
// The difference, cross product and normal operations are in QRN2Vectors,
// meshes in QRN2Meshes, brushes in QRN2Brush.
//
// Values are stored as single floats. Each operation computes in double
// (the wider intermediate format) and rounds once where it stores a field.
// The types are tightly packed so arrays of them go to OpenGL as they are.
// Needs: the standard library only.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct TVertex {
  float x, y, z;
};

struct TTexCoord {
  float u, v;
};

// One triangle: indices into a mesh's vertices, usable as GL_UNSIGNED_INT.
struct TFace {
  std::int32_t a, b, c;
};

struct TTriangle {
  TVertex A, B, C;
};

struct TColor4 {
  float r, g, b, a;
};

static_assert(sizeof(TVertex) == 12 && alignof(TVertex) == 4);
static_assert(sizeof(TTexCoord) == 8);
static_assert(sizeof(TFace) == 12);
static_assert(sizeof(TTriangle) == 36);
static_assert(sizeof(TColor4) == 16);

// Contiguous, no gap between elements: handed to GL with stride 0.
using TVertexArray = std::vector<TVertex>;
using TTexCoordArray = std::vector<TTexCoord>;
using TFaceArray = std::vector<TFace>;

// The wider format intermediate results are held in before rounding.
using TExtended = double;

// A container's size as the engine's 32-bit counts, capped at INT32_MAX so
// that comparing it with a count never wraps.
inline std::int32_t Size32(std::size_t size) {
  return size > static_cast<std::size_t>(INT32_MAX) ? INT32_MAX : static_cast<std::int32_t>(size);
}

extern const TVertex ZeroVector;

TVertex MakeVertex(float x, float y, float z);
TTexCoord MakeTexCoord(float u, float v);
TFace MakeFace(std::int32_t a, std::int32_t b, std::int32_t c);
TTriangle MakeTriangle(const TVertex& p, const TVertex& q, const TVertex& r);
TColor4 MakeColor4(float r, float g, float b, float a);

// Distance in two rounded steps: the horizontal distance from x and z
// first, then with y. The last bit may differ from a direct root.
float PointDistance(const TVertex& a, const TVertex& b);
TVertex ScaleVector(const TVertex& a, float s);
float DegToRad(float degrees);
// Rotates p in place by angles (degrees) about X, then Y, then Z. X turns
// +Y towards +Z, Y turns +X towards +Z, Z turns +X towards +Y.
void RotateVertex(TVertex& p, const TVertex& angles);
