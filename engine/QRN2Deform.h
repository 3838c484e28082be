// QRN2Deform: TQRNDeformBrush animates one mesh of a model without changing
// it. It owns a brush, follows one of its meshes, and keeps a fixed number
// of vertex buffers as long as that mesh has vertices. Per frame a scene
// fills buffers with positions and per-vertex scalars (distances, waves),
// twists positions by per-vertex angles, and draws the mesh with a buffer
// standing in for its positions.
//
// Scalars live in one component of a buffer's vertices: WriteAxis and
// ReadAxis pick it (0 = x, 1 = y, 2 = z); other values make the operations
// that use them do nothing. A buffer index outside the buffers, or a mesh
// index outside the brush's meshes, makes an operation do nothing; loops
// stop at the shorter of the buffer and the mesh.
// Needs: QRN2Brush, QRN2Meshes, QRN2Classes, OpenGL.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/QRN2Brush.h"

class TQRNDeformBrush {
 public:
  TQRNBrush Brush;
  std::int32_t MeshIndex = 0;
  std::vector<TVertexArray> Buffers;
  std::int32_t BufferCount = 0;
  std::int32_t BufferLength = 0;  // 0 until SetBufferLength or SelectMesh
  std::int32_t WriteAxis = 0;
  std::int32_t ReadAxis = 0;

  // bufferCount buffers of initialLength zero vectors; BufferLength stays 0.
  TQRNDeformBrush(std::int32_t bufferCount, std::int32_t initialLength);

  // Fills Brush from a 3DS file as TQRNBrush::LoadFromFile does.
  void LoadFromFile(const std::string& fileName);
  // Resizes every buffer, keeping elements and zero-filling new ones.
  void SetBufferLength(std::int32_t length);
  // Follows mesh index; the buffers take its vertex count (0 if none).
  void SelectMesh(std::int32_t index);
  // The buffer := the mesh's first BufferLength positions.
  void CopyVertices(std::int32_t buffer);
  // Component WriteAxis := PointDistance(vertex i, point).
  void ComputeDistances(std::int32_t buffer, const TVertex& point);
  // x *= factor, whatever the axes say.
  void ScaleBufferX(std::int32_t buffer, float factor);
  // Component WriteAxis := sin((component ReadAxis + phase) * frequency)
  // * amplitude, radians.
  void Wave(std::int32_t buffer, float phase, float amplitude, float frequency);
  // Each vertex's angles approach target by 1 / (rate * distance) of the
  // remaining difference, then its position is rotated by them. Where
  // rate * distance is 0 the angles take the target at once.
  void Twist(std::int32_t outBuffer, std::int32_t angleBuffer, std::int32_t distanceBuffer,
             const TVertex& target, float rate);
  // Draws the mesh's faces with the buffer as positions and the mesh's own
  // normals and texture coordinates, from client-side arrays.
  void DrawBuffer(std::int32_t buffer);

 private:
  TMeshDataNM* Selected() const;
  TVertexArray* Buffer(std::int32_t index);
  // Elements both the buffer and the selected mesh have.
  std::int32_t Span(const TVertexArray& buffer) const;
};
