#include "engine/QRN2Deform.h"

#include <algorithm>
#include <cmath>

#include "engine/QRN2_3ds.h"

namespace {

// The component an axis field names; null for values other than 0, 1, 2.
float* Component(TVertex& v, std::int32_t axis) {
  switch (axis) {
    case 0: return &v.x;
    case 1: return &v.y;
    case 2: return &v.z;
    default: return nullptr;
  }
}

bool ValidAxis(std::int32_t axis) { return axis >= 0 && axis <= 2; }

}  // namespace

TQRNDeformBrush::TQRNDeformBrush(std::int32_t bufferCount, std::int32_t initialLength)
    : Buffers(std::max(bufferCount, 0), TVertexArray(std::max(initialLength, 0), ZeroVector)),
      BufferCount(std::max(bufferCount, 0)) {}

void TQRNDeformBrush::LoadFromFile(const std::string& fileName) {
  CreateLoader3DS();
  Brush.LoadMeshes(fileName);
  FreeLoader3DS();
}

void TQRNDeformBrush::SetBufferLength(std::int32_t length) {
  length = std::max(length, 0);
  for (TVertexArray& buffer : Buffers) buffer.resize(length, ZeroVector);
  BufferLength = length;
}

void TQRNDeformBrush::SelectMesh(std::int32_t index) {
  MeshIndex = index;
  const TMeshDataNM* mesh = Selected();
  SetBufferLength(mesh ? mesh->VertexCount : 0);
}

TMeshDataNM* TQRNDeformBrush::Selected() const {
  if (MeshIndex < 0 || MeshIndex >= Size32(Brush.Meshes.size())) return nullptr;
  return Brush.Meshes[MeshIndex].get();
}

TVertexArray* TQRNDeformBrush::Buffer(std::int32_t index) {
  if (index < 0 || index >= Size32(Buffers.size())) return nullptr;
  return &Buffers[index];
}

std::int32_t TQRNDeformBrush::Span(const TVertexArray& buffer) const {
  const TMeshDataNM* mesh = Selected();
  if (!mesh) return 0;
  return std::min({BufferLength, Size32(buffer.size()), mesh->VertexCount, Size32(mesh->Vertices.size())});
}

void TQRNDeformBrush::CopyVertices(std::int32_t buffer) {
  TVertexArray* out = Buffer(buffer);
  const TMeshDataNM* mesh = Selected();
  if (!out || !mesh) return;
  // Into the buffer's own storage: no allocation once it has its length.
  const std::int32_t count = std::min({BufferLength, mesh->VertexCount, Size32(mesh->Vertices.size())});
  out->assign(mesh->Vertices.begin(), mesh->Vertices.begin() + count);
  out->resize(BufferLength, ZeroVector);
}

void TQRNDeformBrush::ComputeDistances(std::int32_t buffer, const TVertex& point) {
  const TVertex p = point;
  TVertexArray* out = Buffer(buffer);
  if (!out || !ValidAxis(WriteAxis)) return;
  const TMeshDataNM* mesh = Selected();
  const std::int32_t count = Span(*out);
  for (std::int32_t i = 0; i < count; ++i) *Component((*out)[i], WriteAxis) = PointDistance(mesh->Vertices[i], p);
}

void TQRNDeformBrush::ScaleBufferX(std::int32_t buffer, float factor) {
  TVertexArray* out = Buffer(buffer);
  if (!out) return;
  const std::int32_t count = Span(*out);
  for (std::int32_t i = 0; i < count; ++i) (*out)[i].x = static_cast<float>(TExtended((*out)[i].x) * factor);
}

void TQRNDeformBrush::Wave(std::int32_t buffer, float phase, float amplitude, float frequency) {
  TVertexArray* out = Buffer(buffer);
  if (!out || !ValidAxis(WriteAxis) || !ValidAxis(ReadAxis)) return;
  const std::int32_t count = Span(*out);
  for (std::int32_t i = 0; i < count; ++i) {
    TVertex& v = (*out)[i];
    const TExtended x = *Component(v, ReadAxis);
    *Component(v, WriteAxis) = static_cast<float>(std::sin((x + phase) * frequency) * amplitude);
  }
}

void TQRNDeformBrush::Twist(std::int32_t outBuffer, std::int32_t angleBuffer, std::int32_t distanceBuffer,
                            const TVertex& target, float rate) {
  const TVertex t = target;
  TVertexArray* out = Buffer(outBuffer);
  TVertexArray* angles = Buffer(angleBuffer);
  TVertexArray* distances = Buffer(distanceBuffer);
  if (!out || !angles || !distances || !ValidAxis(ReadAxis)) return;
  const std::int32_t count = std::min({Span(*out), Span(*angles), Span(*distances)});
  for (std::int32_t i = 0; i < count; ++i) {
    TVertex w = (*angles)[i];
    const TExtended s = TExtended(rate) * *Component((*distances)[i], ReadAxis);
    if (s == 0) {
      w = t;  // a vertex at the origin of the distances follows at once
    } else {
      w.x = static_cast<float>(w.x + (TExtended(t.x) - w.x) / s);
      w.y = static_cast<float>(w.y + (TExtended(t.y) - w.y) / s);
      w.z = static_cast<float>(w.z + (TExtended(t.z) - w.z) / s);
    }
    (*angles)[i] = w;
    RotateVertex((*out)[i], w);
  }
}

void TQRNDeformBrush::DrawBuffer(std::int32_t buffer) {
  TVertexArray* positions = Buffer(buffer);
  TMeshDataNM* mesh = Selected();
  if (positions && mesh) mesh->DrawArraysFrom(*positions);
}
