// 3DS loading into meshes: object order, data taken as stored, the file
// error texts, missing mapping coordinates and faces past the vertices.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/QRN2_3ds.h"
#include "support/TestSupport.h"
#include "support/GeometrySupport.h"
#include "tools/writers/Writer3DS.h"

namespace {

// Loads every mesh of a file the way the brush does.
std::vector<std::unique_ptr<TMeshDataNM>> LoadAll(const std::string& path) {
  CreateLoader3DS();
  Loader3DS->OpenFile(path);
  std::vector<std::unique_ptr<TMeshDataNM>> meshes;
  for (int i = 0; i < Loader3DS->ObjectCount; ++i) meshes.push_back(Loader3DS->GetMesh(i));
  Loader3DS->Reader.reset();
  FreeLoader3DS();
  return meshes;
}

std::vector<std::unique_ptr<TMeshDataNM>> LoadModel(const T3DSModel& model) {
  TTempDir dir;
  const std::string path = (dir / "model.3ds").string();
  EXPECT_TRUE(Write3DSFile(path, model));
  return LoadAll(path);
}

}  // namespace

TEST(Loader3DS, OneTriangleReadsBackExactly) {
  T3DSModel model;
  model.Objects = {TriangleObject("Tri01")};
  const auto meshes = LoadModel(model);
  ASSERT_EQ(meshes.size(), 1u);
  const TMeshDataNM& m = *meshes[0];
  EXPECT_EQ(m.Name, "Tri01");
  ASSERT_EQ(m.VertexCount, 3);
  ASSERT_EQ(m.FaceCount, 1);
  EXPECT_EQ(m.Vertices[0].x, 1);  // as stored: no axis swap
  EXPECT_EQ(m.Vertices[0].y, 2);
  EXPECT_EQ(m.Vertices[0].z, 3);
  EXPECT_EQ(m.Vertices[1].z, 6e-7f);
  EXPECT_EQ(m.Vertices[2].z, 9e9f);
  EXPECT_EQ(m.TexCoords[0].u, 0.125f);
  EXPECT_EQ(m.TexCoords[0].v, 0.75f);  // no v flip
  EXPECT_EQ(m.TexCoords[2].v, -1);
  EXPECT_EQ(m.Faces[0].a, 0);
  EXPECT_EQ(m.Faces[0].b, 1);
  EXPECT_EQ(m.Faces[0].c, 2);
  ASSERT_EQ(m.Normals.size(), 3u);
  EXPECT_EQ(m.Normals[1].x, 0);
  EXPECT_EQ(m.Material.Mode, 0);
}

TEST(Loader3DS, ObjectOrderSkipsLightsAndCameras) {
  T3DSModel model;
  T3DSObject camera = LightObject("Camera01");
  camera.Kind = T3DSObjectKind::Camera;
  model.Objects = {LightObject("Omni01"), TriangleObject("First"), camera, TriangleObject("Second", 10)};
  model.Objects[3].Vertices.push_back({0, 0, 0});
  model.Objects[3].Faces = {{3, 2, 1, 0}, {0, 1, 2, 0}};
  const auto meshes = LoadModel(model);
  ASSERT_EQ(meshes.size(), 2u);
  EXPECT_EQ(meshes[0]->Name, "First");
  EXPECT_EQ(meshes[1]->Name, "Second");
  EXPECT_EQ(meshes[1]->Vertices[0].x, 11);
  EXPECT_EQ(meshes[1]->VertexCount, 4);
  EXPECT_EQ(meshes[1]->Faces[0].a, 3);  // each mesh numbers its vertices from 0
}

TEST(Loader3DS, FaceFlagsAreDropped) {
  T3DSModel plain, flagged;
  plain.Objects = {TriangleObject("T")};
  flagged.Objects = {TriangleObject("T")};
  flagged.Objects[0].Faces[0].flags = 7;
  const auto a = LoadModel(plain), b = LoadModel(flagged);
  EXPECT_EQ(a[0]->FaceCount, b[0]->FaceCount);
  EXPECT_EQ(0, std::memcmp(a[0]->Faces.data(), b[0]->Faces.data(), sizeof(TFace)));
}

TEST(Loader3DS, RootsDecideWhetherThereAreMeshes) {
  T3DSModel model;
  model.Objects = {TriangleObject("T")};
  model.RootId = 0xC23D;
  EXPECT_EQ(LoadModel(model).size(), 1u);
  model.RootId = 0x1234;  // not a 3DS root: nothing, and no error
  EXPECT_EQ(LoadModel(model).size(), 0u);

  model.RootId = 0x3DAA;  // a database root: the mesh is found but refused
  try {
    LoadModel(model);
    FAIL() << "no error";
  } catch (const E3DSError& e) {
    EXPECT_STREQ(e.what(),
                 "The database passed as an argument is the wrong kind of\rdatabase for this function.");
  }
  EXPECT_NE(Loader3DS, nullptr) << "an error leaves the shared loader allocated";
}

TEST(Loader3DS, MissingFileAndTruncatedFileTexts) {
  TTempDir dir(true);
  try {
    CreateLoader3DS();
    Loader3DS->OpenFile("nothere\\wombat.3ds");
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file nothere\\wombat.3ds");
  }
  T3DSModel model;
  model.Objects = {TriangleObject("T")};
  std::vector<std::uint8_t> bytes = Write3DS(model);
  bytes.resize(bytes.size() - 1);
  WriteBytes(dir / "cut.3ds", bytes);
  try {
    Loader3DS->OpenFile("CUT.3DS");  // letter case is forgiven
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
  WriteBytes(dir / "empty.3ds", {});
  EXPECT_THROW(Loader3DS->OpenFile("empty.3ds"), EInOutError);
}

TEST(Loader3DS, MissingMappingNamesAndBadFacesAreHandled) {
  T3DSModel model;
  T3DSObject none = TriangleObject(std::string(300, 'n'));  // names have no length limit
  none.WriteMapCoords = false;
  T3DSObject few = TriangleObject("few");
  few.MapCoords.resize(1);
  few.Faces = {{0, 1, 3, 0}, {2, 1, 0, 0}, {0, 65535, 1, 0}};
  model.Objects = {none, few};
  const auto meshes = LoadModel(model);
  ASSERT_EQ(meshes.size(), 2u);
  EXPECT_EQ(meshes[0]->Name, std::string(300, 'n'));
  ASSERT_EQ(meshes[0]->TexCoords.size(), 3u);
  EXPECT_EQ(meshes[0]->TexCoords[2].u, 0);
  EXPECT_EQ(meshes[1]->TexCoords[0].u, 0.125f);
  EXPECT_EQ(meshes[1]->TexCoords[1].u, 0);
  EXPECT_EQ(meshes[1]->TexCoords[1].v, 0);
  ASSERT_EQ(meshes[1]->FaceCount, 1) << "faces past the vertices are left out";
  EXPECT_EQ(meshes[1]->Faces[0].a, 2);
}

