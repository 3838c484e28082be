// The scene light, read back from GL.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "engine/QRN2Lights.h"
#include "support/TestSupport.h"

namespace {
std::vector<GLfloat> Light(GLenum light, GLenum name) {
  std::vector<GLfloat> v(4);
  glGetLightfv(light, name, v.data());
  return v;
}
}  // namespace

TEST(Lights, SetupLightTurnsOnLightZeroWhiteAtTenTenTen) {
  TestWindow();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  SelectLight(GL_LIGHT0);
  SetupLight();
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
  EXPECT_EQ(Light(GL_LIGHT0, GL_AMBIENT), (std::vector<GLfloat>{1, 1, 1, 1}));
  EXPECT_EQ(Light(GL_LIGHT0, GL_DIFFUSE), (std::vector<GLfloat>{1, 1, 1, 1}));
  EXPECT_EQ(Light(GL_LIGHT0, GL_POSITION), (std::vector<GLfloat>{10, 10, 10, 1}));
  EXPECT_EQ(Light(GL_LIGHT0, GL_SPECULAR), (std::vector<GLfloat>{1, 1, 1, 1})) << "GL's default for light 0";
}

TEST(Lights, PositionFollowsTheModelviewOfTheCall) {
  TestWindow();
  SelectLight(GL_LIGHT0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  SetupLight();
  EXPECT_EQ(Light(GL_LIGHT0, GL_POSITION), (std::vector<GLfloat>{11, 12, 13, 1}));
  glLoadIdentity();
  glRotatef(90, 0, 0, 1);  // x goes to y, y to -x
  SetLightPosition({1, 2, 3});
  const std::vector<GLfloat> p = Light(GL_LIGHT0, GL_POSITION);
  EXPECT_NEAR(p[0], -2, 1e-5);
  EXPECT_NEAR(p[1], 1, 1e-5);
  EXPECT_NEAR(p[2], 3, 1e-5);
  EXPECT_EQ(p[3], 1) << "always a positional light";
}

TEST(Lights, OperationsAddressOnlyTheSelectedLight) {
  TestWindow();
  glLoadIdentity();
  const std::vector<GLfloat> lightZero = Light(GL_LIGHT0, GL_AMBIENT);
  SelectLight(GL_LIGHT1);
  SetLightColors({0.1f, 0.2f, 0.3f, 0.4f}, {0.5f, 0.6f, 0.7f, 0.8f});
  SetLightPosition({4, 5, 6});
  EXPECT_EQ(Light(GL_LIGHT1, GL_AMBIENT), (std::vector<GLfloat>{0.1f, 0.2f, 0.3f, 0.4f}));
  EXPECT_EQ(Light(GL_LIGHT1, GL_DIFFUSE), (std::vector<GLfloat>{0.5f, 0.6f, 0.7f, 0.8f}));
  EXPECT_EQ(Light(GL_LIGHT1, GL_POSITION), (std::vector<GLfloat>{4, 5, 6, 1}));
  EXPECT_EQ(Light(GL_LIGHT0, GL_AMBIENT), lightZero) << "light 0 untouched";
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1)) << "only SetupLight enables";
}
