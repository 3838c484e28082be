#include "engine/QRN2Meshes.h"

#include <GL/gl.h>

#include <algorithm>
#include <unordered_map>

#include "engine/QRN2Arrays.h"
#include "engine/QRN2Vectors.h"

namespace {

bool CornersBelow(const TFace& f, std::int32_t limit) {
  // Unsigned compare also rejects negative indices.
  const auto below = [limit](std::int32_t i) {
    return static_cast<std::uint32_t>(i) < static_cast<std::uint32_t>(limit);
  };
  return below(f.a) && below(f.b) && below(f.c);
}

TVertex Add(const TVertex& s, const TVertex& n) {
  return TVertex{static_cast<float>(TExtended(s.x) + n.x), static_cast<float>(TExtended(s.y) + n.y),
                 static_cast<float>(TExtended(s.z) + n.z)};
}

// Sums each face's normal into its three corners, faces in order, corners
// a, b, c: the same additions in the same order as VertexNormal makes for
// every vertex, so the results agree bit for bit. Faces reaching past
// `limit` are skipped, here and in VertexNormal alike.
void SumFaceNormals(const TFace* faces, std::int32_t faceCount, const TVertex* positions,
                    std::int32_t limit, TVertex* normals) {
  std::fill(normals, normals + limit, ZeroVector);
  for (std::int32_t i = 0; i < faceCount; ++i) {
    const TFace f = faces[i];
    if (!CornersBelow(f, limit)) continue;
    const TVertex n = TriangleNormal(MakeTriangle(positions[f.a], positions[f.b], positions[f.c]));
    normals[f.a] = Add(normals[f.a], n);
    normals[f.b] = Add(normals[f.b], n);
    normals[f.c] = Add(normals[f.c], n);
  }
  for (std::int32_t k = 0; k < limit; ++k) NormalizeVector(normals[k]);
}

}  // namespace

// --- TMeshData ---

std::int32_t TMeshData::AddVertex(const TVertex& position, const TTexCoord& texCoord) {
  Vertices.resize(VertexCount);
  TexCoords.resize(VertexCount);
  Vertices.push_back(position);
  TexCoords.push_back(texCoord);
  return VertexCount++;
}

void TMeshData::AddFace(const TFace& face) {
  Faces.resize(FaceCount);
  Faces.push_back(face);
  ++FaceCount;
}

void TMeshData::Clear() {
  Vertices.clear();
  Faces.clear();
  TexCoords.clear();
  VertexCount = 0;
  FaceCount = 0;
}

void TMeshData::SetSize(std::int32_t vertexCount, std::int32_t faceCount) {
  vertexCount = std::max(vertexCount, 0);
  faceCount = std::max(faceCount, 0);
  Vertices.resize(vertexCount, ZeroVector);
  Faces.resize(faceCount, TFace{0, 0, 0});
  TexCoords.resize(vertexCount, TTexCoord{0, 0});
  VertexCount = vertexCount;
  FaceCount = faceCount;
}

std::int32_t TMeshData::VertexLimit() const {
  return std::min({VertexCount, Size32(Vertices.size()), Size32(TexCoords.size())});
}

bool TMeshData::FacesWithin(std::int32_t limit) const {
  if (FaceCount > Size32(Faces.size())) return false;
  for (std::int32_t i = 0; i < FaceCount; ++i)
    if (!CornersBelow(Faces[i], limit)) return false;
  return true;
}

TTriangle TMeshData::GetFaceTriangle(std::int32_t i) const { return GetFaceTriangleFrom(i, Vertices); }

TTriangle TMeshData::GetFaceTriangleFrom(std::int32_t i, const TVertexArray& vertices) const {
  if (i < 0 || i >= std::min(FaceCount, Size32(Faces.size()))) return TTriangle{ZeroVector, ZeroVector, ZeroVector};
  const std::int32_t limit = std::min(VertexCount, Size32(vertices.size()));
  const auto corner = [&](std::int32_t k) {
    return static_cast<std::uint32_t>(k) < static_cast<std::uint32_t>(limit) ? vertices[k] : ZeroVector;
  };
  const TFace f = Faces[i];
  return MakeTriangle(corner(f.a), corner(f.b), corner(f.c));
}

void TMeshData::Draw() {
  const std::int32_t limit = VertexLimit();
  const std::int32_t count = std::min(FaceCount, Size32(Faces.size()));
  glBegin(GL_TRIANGLES);
  for (std::int32_t i = 0; i < count; ++i) {
    const TFace f = Faces[i];
    if (!CornersBelow(f, limit)) continue;
    for (std::int32_t k : {f.a, f.b, f.c}) {
      glTexCoord2f(TexCoords[k].u, TexCoords[k].v);
      glVertex3f(Vertices[k].x, Vertices[k].y, Vertices[k].z);
    }
  }
  glEnd();
}

void TMeshData::DrawArrays() {
  if (FacesWithin(VertexLimit())) DrawFaceArrays(Vertices.data(), nullptr);
}

void TMeshData::DrawFaceArrays(const TVertex* positions, const TVertex* normals) const {
  TClientArrays arrays;
  arrays.Positions = positions;
  arrays.Normals = normals;
  arrays.TexCoords = TexCoords.data();
  arrays.ByFaces = true;
  arrays.Faces = Faces.data();
  arrays.FaceCount = FaceCount;
  DrawClientArrays(arrays);
}

// --- TMeshDataN ---

std::int32_t TMeshDataN::AddVertex(const TVertex& position, const TTexCoord& texCoord) {
  const std::int32_t index = TMeshData::AddVertex(position, texCoord);
  Normals.resize(index);
  Normals.push_back(ZeroVector);
  return index;
}

void TMeshDataN::Clear() {
  Normals.clear();
  TMeshData::Clear();
}

void TMeshDataN::SetSize(std::int32_t vertexCount, std::int32_t faceCount) {
  TMeshData::SetSize(vertexCount, faceCount);
  Normals.resize(VertexCount, ZeroVector);
  CalcNormals();
}

std::int32_t TMeshDataN::NormalLimit() const {
  return std::min({VertexCount, Size32(Vertices.size()), Size32(Normals.size())});
}

TVertex TMeshDataN::VertexNormal(std::int32_t k) const {
  const std::int32_t limit = NormalLimit();
  const std::int32_t count = std::min(FaceCount, Size32(Faces.size()));
  TVertex s = ZeroVector;
  for (std::int32_t i = 0; i < count; ++i) {
    const TFace f = Faces[i];
    if (!CornersBelow(f, limit)) continue;
    const TVertex n = TriangleNormal(MakeTriangle(Vertices[f.a], Vertices[f.b], Vertices[f.c]));
    if (f.a == k) s = Add(s, n);
    if (f.b == k) s = Add(s, n);
    if (f.c == k) s = Add(s, n);
  }
  NormalizeVector(s);
  return s;
}

void TMeshDataN::CalcNormals() { RecalcNormals(); }

void TMeshDataN::RecalcNormals() {
  SumFaceNormals(Faces.data(), std::min(FaceCount, Size32(Faces.size())), Vertices.data(), NormalLimit(),
                 Normals.data());
}

void TMeshDataN::RecalcNormalsFrom(const TVertexArray& vertices) {
  const std::int32_t limit = std::min(NormalLimit(), Size32(vertices.size()));
  SumFaceNormals(Faces.data(), std::min(FaceCount, Size32(Faces.size())), vertices.data(), limit,
                 Normals.data());
}

void TMeshDataN::Draw() {
  const std::int32_t limit = std::min(VertexLimit(), Size32(Normals.size()));
  const std::int32_t count = std::min(FaceCount, Size32(Faces.size()));
  for (std::int32_t i = 0; i < count; ++i) {
    const TFace f = Faces[i];
    if (!CornersBelow(f, limit)) continue;
    glBegin(GL_TRIANGLES);
    for (std::int32_t k : {f.a, f.b, f.c}) {
      glTexCoord2f(TexCoords[k].u, TexCoords[k].v);
      glNormal3f(Normals[k].x, Normals[k].y, Normals[k].z);
      glVertex3f(Vertices[k].x, Vertices[k].y, Vertices[k].z);
    }
    glEnd();
  }
}

void TMeshDataN::DrawArrays() { DrawArraysFrom(Vertices); }

void TMeshDataN::DrawArraysFrom(const TVertexArray& positions) {
  const std::int32_t limit = std::min({VertexLimit(), NormalLimit(), Size32(positions.size())});
  if (FacesWithin(limit)) DrawFaceArrays(positions.data(), Normals.data());
}

// --- TMeshDataNM ---

void TMeshDataNM::Draw() {
  Material.Apply();
  TMeshDataN::Draw();
}


// --- whole-mesh operations ---

void RotateMesh(TMeshData& mesh, const TVertex& angles) {
  const TVertex w = angles;
  const std::int32_t count = std::min(mesh.VertexCount, Size32(mesh.Vertices.size()));
  for (std::int32_t i = 0; i < count; ++i) RotateVertex(mesh.Vertices[i], w);
}

void ScaleMesh(TMeshData& mesh, const TVertex& factors) {
  const TVertex s = factors;
  const std::int32_t count = std::min(mesh.VertexCount, Size32(mesh.Vertices.size()));
  for (std::int32_t i = 0; i < count; ++i) {
    TVertex& v = mesh.Vertices[i];
    v = TVertex{static_cast<float>(TExtended(v.x) * s.x), static_cast<float>(TExtended(v.y) * s.y),
                static_cast<float>(TExtended(v.z) * s.z)};
  }
}

bool EnclosesVolume(const TMeshData& mesh) {
  if (mesh.FaceCount <= 0 || !mesh.FacesWithin(mesh.VertexLimit())) return false;
  // Each directed edge once, each with its reverse.
  std::unordered_map<std::uint64_t, int> edges;
  auto key = [](std::uint32_t a, std::uint32_t b) { return (std::uint64_t{a} << 32) | b; };
  TExtended volume = 0;
  for (std::int32_t f = 0; f < mesh.FaceCount; ++f) {
    const TFace& face = mesh.Faces[f];
    const std::uint32_t corner[3] = {static_cast<std::uint32_t>(face.a), static_cast<std::uint32_t>(face.b),
                                     static_cast<std::uint32_t>(face.c)};
    for (int k = 0; k < 3; ++k)
      if (corner[k] == corner[(k + 1) % 3] || ++edges[key(corner[k], corner[(k + 1) % 3])] > 1) return false;
    const TVertex &a = mesh.Vertices[face.a], &b = mesh.Vertices[face.b], &c = mesh.Vertices[face.c];
    volume += TExtended(a.x) * (TExtended(b.y) * c.z - TExtended(b.z) * c.y) -
              TExtended(a.y) * (TExtended(b.x) * c.z - TExtended(b.z) * c.x) +
              TExtended(a.z) * (TExtended(b.x) * c.y - TExtended(b.y) * c.x);
  }
  for (const auto& [edge, count] : edges)
    if (!edges.count(key(static_cast<std::uint32_t>(edge), static_cast<std::uint32_t>(edge >> 32)))) return false;
  return volume > 0;
}
