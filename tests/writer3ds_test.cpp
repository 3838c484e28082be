// The 3DS writer: chunk headers nest exactly and the mesh data land where
// the loader expects them.
#include <gtest/gtest.h>

#include <cstring>

#include "support/MediaDecode.h"
#include "tools/writers/Writer3DS.h"

namespace {

T3DSObject Triangle() {
  T3DSObject o;
  o.Name = "tri";
  o.Vertices = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  o.MapCoords = {{0.25f, 0.5f}, {1, 0}, {0, 1}};
  o.Faces = {{0, 1, 2, 7}};
  return o;
}

}  // namespace

TEST(Writer3DS, ChunksNestAndCarryTheMesh) {
  T3DSModel model;
  T3DSObject light;
  light.Name = "lamp";
  light.Kind = T3DSObjectKind::Light;
  model.Objects = {light, Triangle()};
  const std::vector<std::uint8_t> b = Write3DS(model);

  ASSERT_EQ(U16(b, 0), 0x4D4D);
  ASSERT_EQ(U32(b, 2), b.size());
  ASSERT_EQ(U16(b, 6), 0x0002);
  ASSERT_EQ(U32(b, 8), 10u);
  ASSERT_EQ(U32(b, 12), 3u);
  const std::size_t editor = 16;
  ASSERT_EQ(U16(b, editor), 0x3D3D);
  ASSERT_EQ(editor + U32(b, editor + 2), b.size());
  const std::size_t lamp = editor + 6 + 10;  // after the 0x3D3E version chunk
  ASSERT_EQ(U16(b, lamp), 0x4000);
  EXPECT_EQ(std::memcmp(&b[lamp + 6], "lamp", 5), 0);
  EXPECT_EQ(U16(b, lamp + 11), 0x4600);
  const std::size_t mesh = lamp + U32(b, lamp + 2);
  ASSERT_EQ(U16(b, mesh), 0x4000);
  ASSERT_EQ(mesh + U32(b, mesh + 2), b.size());
  const std::size_t tri = mesh + 6 + 4;
  ASSERT_EQ(U16(b, tri), 0x4100);
  const std::size_t vertices = tri + 6;
  ASSERT_EQ(U16(b, vertices), 0x4110);
  EXPECT_EQ(U32(b, vertices + 2), 6u + 2 + 36);
  EXPECT_EQ(U16(b, vertices + 6), 3);
  EXPECT_EQ(F32(b, vertices + 8), 1.0f);
  EXPECT_EQ(F32(b, vertices + 8 + 32), 9.0f);
  const std::size_t coords = vertices + U32(b, vertices + 2);
  ASSERT_EQ(U16(b, coords), 0x4140);
  EXPECT_EQ(F32(b, coords + 8), 0.25f);
  const std::size_t faces = coords + U32(b, coords + 2);
  ASSERT_EQ(U16(b, faces), 0x4120);
  EXPECT_EQ(U16(b, faces + 6), 1);
  EXPECT_EQ(U16(b, faces + 8 + 6), 7);  // the flags, kept as given
  const std::size_t axes = faces + U32(b, faces + 2);
  EXPECT_EQ(U16(b, axes), 0x4160);
  EXPECT_EQ(axes + U32(b, axes + 2), b.size());
}

TEST(Writer3DS, OptionsAndLimits) {
  T3DSModel model;
  model.RootId = 0xC23D;
  T3DSObject bare = Triangle();
  bare.WriteMapCoords = false;
  bare.WriteLocalAxes = false;
  model.Objects = {bare};
  const std::vector<std::uint8_t> b = Write3DS(model);
  EXPECT_EQ(U16(b, 0), 0xC23D);
  // root 6 + version 10 + editor 6 + mesh version 10 + object 6 + "tri\0"
  // + 0x4100 6 + vertices (6 + 2 + 36) + faces (6 + 2 + 8)
  EXPECT_EQ(b.size(), 6u + 10 + 6 + 10 + 6 + 4 + 6 + 44 + 16);
  EXPECT_EQ(Write3DS(model), b);  // deterministic

  T3DSObject huge = Triangle();
  huge.Vertices.resize(65536);
  EXPECT_THROW(ObjectChunk3DS(huge), std::length_error);

  const std::vector<std::uint8_t> raw = RawChunk3DS(0x4110, 3, {9});
  EXPECT_EQ(raw, (std::vector<std::uint8_t>{0x10, 0x41, 3, 0, 0, 0, 9}));
}
