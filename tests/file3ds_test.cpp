// The 3DS chunk reader on bytes in memory: which lists it takes, the
// database errors, and malformed files that must fail cleanly without
// reading outside the bytes.
#include <gtest/gtest.h>

#include <random>

#include "engine/QRN2File3DS.h"
#include "support/GeometrySupport.h"
#include "tools/writers/Writer3DS.h"

namespace {

// The text of the exception that reading every mesh of `bytes` raises.
std::string ErrorOf(const std::vector<std::uint8_t>& bytes) {
  try {
    TFile3DS file(bytes);
    for (int i = 0; i < file.MeshCount(); ++i) file.Mesh(i);
  } catch (const EInOutError& e) {
    return e.what();
  }
  return "";
}

std::vector<std::uint8_t> Concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> out;
  for (const auto& p : parts) Put3DSBytes(out, p);
  return out;
}

// A root holding an editor that holds the given chunks.
std::vector<std::uint8_t> FileOf(const std::vector<std::uint8_t>& editorBody, std::uint16_t root = 0x4D4D) {
  return Chunk3DS(root, Chunk3DS(0x3D3D, editorBody));
}

std::vector<std::uint8_t> NameBytes(const std::string& name) {
  std::vector<std::uint8_t> out;
  Put3DSName(out, name);
  return out;
}

std::vector<std::uint8_t> VertexChunk(std::uint16_t count, std::initializer_list<float> values) {
  std::vector<std::uint8_t> body;
  Put3DSU16(body, count);
  for (float v : values) Put3DSF32(body, v);
  return Chunk3DS(0x4110, body);
}

}  // namespace

TEST(File3DS, LastListsOfTheFirstDirectTriangleMesh) {
  std::vector<std::uint8_t> faces;
  Put3DSU16(faces, 1);
  for (std::uint16_t v : {0, 1, 2, 0}) Put3DSU16(faces, v);
  const auto mesh1 = Chunk3DS(0x4100, Concat({VertexChunk(3, {9, 9, 9, 9, 9, 9, 9, 9, 9}),
                                              Chunk3DS(0x4120, faces),
                                              VertexChunk(3, {1, 2, 3, 4, 5, 6, 7, 8, 9})}));
  const auto mesh2 = Chunk3DS(0x4100, VertexChunk(1, {5, 5, 5}));
  const auto material = Chunk3DS(0xAFFF, NameBytes("junk"));
  const auto object = Chunk3DS(0x4000, Concat({NameBytes("obj"), mesh1, mesh2}));
  const auto file = Chunk3DS(0x4D4D, Concat({Chunk3DS(0x3D3D, Concat({material, object})),
                                             Chunk3DS(0xB000, {1, 2, 3})}));
  TFile3DS reader(file);
  ASSERT_EQ(reader.MeshCount(), 1);
  const TMesh3DS& m = reader.Mesh(0);
  ASSERT_EQ(m.Vertices.size(), 3u);
  EXPECT_EQ(m.Vertices[2].z, 9);
  EXPECT_EQ(m.Vertices[0].x, 1);
  EXPECT_EQ(m.Faces.size(), 1u);
  EXPECT_TRUE(m.TexCoords.empty());
}

TEST(File3DS, TriangleMeshOnlyDeeperIsTheWrongType) {
  const auto inner = Chunk3DS(0x4000, Concat({NameBytes("inner"), Chunk3DS(0x4100, VertexChunk(0, {}))}));
  const auto outer = Chunk3DS(0x4000, Concat({NameBytes("outer"), inner}));
  TFile3DS reader(FileOf(outer));
  ASSERT_EQ(reader.MeshCount(), 1) << "the inner object is a child, not a sibling";
  try {
    reader.Mesh(0);
    FAIL() << "no error";
  } catch (const E3DSError& e) {
    EXPECT_STREQ(e.what(),
                 "The Name passed to the functions exists but is not the type of object asked for.\r"
                 "For example asking for a mesh object with the GetCameraByName3DS function.");
  }
}

TEST(File3DS, MalformedLengthsAreStreamErrors) {
  const auto tri = Chunk3DS(0x4100, VertexChunk(1, {1, 2, 3}));
  const auto good = Chunk3DS(0x4000, Concat({NameBytes("ok"), tri}));
  EXPECT_EQ(ErrorOf(FileOf(good)), "");
  for (std::uint32_t length : {0u, 1u, 5u}) {
    EXPECT_EQ(ErrorOf(FileOf(Concat({good, RawChunk3DS(0x1234, length, {0, 0, 0, 0})}))), "Stream read error")
        << "length " << length;
  }
  // Past its parent, though still inside the file.
  const auto editor = RawChunk3DS(0x3D3D, 6 + 6, Concat({RawChunk3DS(0x4000, good.size(), {}), good}));
  EXPECT_EQ(ErrorOf(Chunk3DS(0x4D4D, editor)), "Stream read error");
  // Past the file.
  EXPECT_EQ(ErrorOf(RawChunk3DS(0x4D4D, 1000, Chunk3DS(0x3D3D, good))), "Stream read error");
  // A count larger than its list, a name without its zero, a face list cut.
  const auto lying = Chunk3DS(0x4000, Concat({NameBytes("x"), Chunk3DS(0x4100, VertexChunk(2, {1, 2, 3}))}));
  EXPECT_EQ(ErrorOf(FileOf(lying)), "Stream read error");
  EXPECT_EQ(ErrorOf(FileOf(Chunk3DS(0x4000, {'a', 'b'}))), "Stream read error");
  std::vector<std::uint8_t> faces;
  Put3DSU16(faces, 3);
  EXPECT_EQ(ErrorOf(FileOf(Chunk3DS(0x4000, Concat({NameBytes("f"), Chunk3DS(0x4100, Chunk3DS(0x4120, faces))})))),
            "Stream read error");
  EXPECT_EQ(ErrorOf({0x4D, 0x4D, 6}), "Stream read error");
}

TEST(File3DS, DamagedFilesFailCleanly) {
  T3DSModel model;
  model.Objects = {LightObject("L"), TriangleObject("A"), TriangleObject("B")};
  const std::vector<std::uint8_t> bytes = Write3DS(model);
  // Every prefix and many random damages either load or raise a file
  // error; none may crash or read outside the bytes (checked under ASan).
  int failed = 0;
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    if (!ErrorOf(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + n)).empty()) ++failed;
  }
  EXPECT_EQ(failed, static_cast<int>(bytes.size()));
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> damaged = bytes;
    for (int k = 0; k < 3; ++k) damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
    const std::string error = ErrorOf(damaged);
    EXPECT_TRUE(error.empty() || error == "Stream read error" || error == Error3DSWrongObjectType) << error;
  }
}
