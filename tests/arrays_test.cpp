// Arrays: the shared client-array draw on its glDrawArrays path with colours
// (the meshes' indexed path is drawn in meshes_test and deform_test).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "engine/QRN2Arrays.h"
#include "support/GeometrySupport.h"
#include "support/TestSupport.h"

TEST(ArraysGL, ColouredLinesMatchImmediateModeAndLeaveNoArrayOn) {
  TestWindow();
  const TVertexArray ends = {MakeVertex(-2, -1, 0), MakeVertex(2, -1, 0), MakeVertex(-2, 1, 0),
                             MakeVertex(2, 1.5f, 0)};
  const TVertexArray colors = {MakeVertex(1, 0, 0), MakeVertex(1, 0, 0), MakeVertex(0, 0.5f, 1),
                               MakeVertex(0, 1, 0.25f)};
  SetUpLitView();
  glDisable(GL_LIGHTING);
  glBegin(GL_LINES);
  for (std::size_t i = 0; i < ends.size(); ++i) {
    glColor3f(colors[i].x, colors[i].y, colors[i].z);
    glVertex3f(ends[i].x, ends[i].y, ends[i].z);
  }
  glEnd();
  const std::vector<std::uint8_t> immediate = ReadFrame();
  ASSERT_GT(CountLit(immediate), 100);

  SetUpLitView();
  glDisable(GL_LIGHTING);
  TClientArrays lines;
  lines.Mode = GL_LINES;
  lines.Positions = ends.data();
  lines.Colors = colors.data();
  lines.VertexCount = static_cast<std::int32_t>(ends.size());
  DrawClientArrays(lines);
  EXPECT_EQ(ReadFrame(), immediate);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_COLOR_ARRAY));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
