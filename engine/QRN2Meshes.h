// QRN2Meshes: triangle meshes. TMeshData holds positions, faces, one texture
// coordinate per vertex and a name; TMeshDataN adds one normal per vertex;
// TMeshDataNM adds its own Material. Meshes are filled vertex by vertex and
// face by face, drawn from client-side arrays, and read field by field by
// brushes and scenes. Array lengths always equal the counts.
//
// Face indices are not trusted: a face with a corner outside the vertices
// adds no normal and is not drawn, so no operation reads past an array.
// Needs: QRN2Classes, QRN2Vectors, QRN2Materials, QRN2Arrays, OpenGL.
#pragma once
#include <cstdint>
#include <string>

#include "engine/QRN2Classes.h"
#include "engine/QRN2Materials.h"

class TMeshData {
 public:
  TVertexArray Vertices;
  TFaceArray Faces;
  TTexCoordArray TexCoords;
  std::int32_t VertexCount = 0;
  std::int32_t FaceCount = 0;
  std::string Name;

  TMeshData() = default;
  TMeshData(const TMeshData&) = delete;
  TMeshData& operator=(const TMeshData&) = delete;
  virtual ~TMeshData() = default;

  // Appends one vertex; returns its index.
  virtual std::int32_t AddVertex(const TVertex& position, const TTexCoord& texCoord);
  // Immediate mode, texture coordinates and positions.
  virtual void Draw();
  // Resizes the arrays; kept elements keep their values, new ones are zero.
  virtual void SetSize(std::int32_t vertexCount, std::int32_t faceCount);
  // Client-side arrays, one glDrawElements.
  virtual void DrawArrays();
  // Empties every array.
  virtual void Clear();

  void AddFace(const TFace& face);
  // The corners of face i; a corner index outside the vertices gives
  // ZeroVector, as does a face index outside the faces.
  TTriangle GetFaceTriangle(std::int32_t i) const;
  TTriangle GetFaceTriangleFrom(std::int32_t i, const TVertexArray& vertices) const;

  // Number of vertices that positions and texture coordinates both hold.
  std::int32_t VertexLimit() const;
  // True when FaceCount faces exist and all their corners are below limit.
  bool FacesWithin(std::int32_t limit) const;

 protected:
  // The faces from client arrays: these positions, the texture coordinates,
  // and the normals when given. Bounds are the caller's.
  void DrawFaceArrays(const TVertex* positions, const TVertex* normals) const;
};

class TMeshDataN : public TMeshData {
 public:
  TVertexArray Normals;

  std::int32_t AddVertex(const TVertex& position, const TTexCoord& texCoord) override;
  void Draw() override;
  // As TMeshData, then the normals follow the new size and are recomputed.
  void SetSize(std::int32_t vertexCount, std::int32_t faceCount) override;
  void DrawArrays() override;
  // As DrawArrays, with positions from `positions` instead of Vertices;
  // draws nothing unless every face's corners are within it.
  void DrawArraysFrom(const TVertexArray& positions);
  void Clear() override;

  // Normalised area-weighted sum of the normals of the faces using vertex k
  // (once per corner that names it). Costs one pass over the faces.
  TVertex VertexNormal(std::int32_t k) const;
  // Every vertex's VertexNormal, bit for bit, in one pass over the faces.
  void CalcNormals();
  void RecalcNormals();
  // As RecalcNormals, with positions from vertices instead of Vertices.
  void RecalcNormalsFrom(const TVertexArray& vertices);

  // Number of vertices that positions and normals both hold.
  std::int32_t NormalLimit() const;
};

class TMeshDataNM : public TMeshDataN {
 public:
  ::Material Material;

  // Applies the material, then draws as TMeshDataN. DrawArrays is
  // TMeshDataN's: it applies no material.
  void Draw() override;
};

// Rotates the first VertexCount positions by angles (degrees, X then Y then
// Z); normals are left alone.
void RotateMesh(TMeshData& mesh, const TVertex& angles);
// Multiplies the first VertexCount positions by factors per axis; normals
// are left alone.
void ScaleMesh(TMeshData& mesh, const TVertex& factors);

// True when the faces close a volume and wind outwards (counter-clockwise
// seen from outside): every edge is shared by exactly two faces that run it
// in opposite directions. Seen from outside such a mesh, its back faces lie
// behind its front faces, so culling them takes nothing away.
bool EnclosesVolume(const TMeshData& mesh);
