// The GL error check on the offscreen context: real errors are caught, named
// and placed, each once; with checks off GL is not asked; the driver checks
// at the end of every frame, and the demo's scenes leave no error.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>

#include "engine/GLErrors.h"
#include "support/SceneMedia.h"
#include "support/TestSupport.h"

namespace {
constexpr GLenum NoSuchCapability = 0x1234;

void DrainGL() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
}  // namespace

TEST(GLErrors, EachErrorIsCaughtNamedAndPlacedOnce) {
  TestWindow();
  SetGLChecks(true);
  DrainGL();
  const long long before = GLErrorsSeen();
  testing::internal::CaptureStderr();
  glEnable(NoSuchCapability);
  const int bogusEnum = CheckGLErrors("the bogus enable");
  const int again = CheckGLErrors("nothing new");
  glLineWidth(-1);
  const int badValue = CheckGLErrors("a negative line width");
  const std::string out = testing::internal::GetCapturedStderr();
  AllowGLErrors(2);
  EXPECT_EQ(bogusEnum, 1);
  EXPECT_EQ(again, 0) << "an error was reported twice";
  EXPECT_EQ(badValue, 1);
  EXPECT_EQ(GLErrorsSeen() - before, 2);
  EXPECT_TRUE(Has(out, "GL error: GL_INVALID_ENUM after the bogus enable\n")) << out;
  EXPECT_TRUE(Has(out, "GL error: GL_INVALID_VALUE after a negative line width\n")) << out;
  EXPECT_FALSE(Has(out, "nothing new")) << out;
}

TEST(GLErrors, ChecksOffLeaveTheErrorToGL) {
  TestWindow();
  DrainGL();
  SetGLChecks(false);
  const long long before = GLErrorsSeen();
  glEnable(NoSuchCapability);
  EXPECT_EQ(CheckGLErrors("the bogus enable"), 0);
  EXPECT_EQ(CheckGLErrorsAfterFrame(), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM)) << "the check asked GL while off";
  EXPECT_EQ(GLErrorsSeen(), before);
}

TEST(GLErrors, TheDriverChecksAtTheEndOfEveryFrame) {
  ASSERT_TRUE(GLChecksOn()) << "the tests run with DEMO_GL_CHECK=1";
  TDemoRun run;
  ASSERT_TRUE(run.Started());
  const long long before = GLErrorsSeen();
  for (double t : {0.5, 1.5, 2.5, 4.5, 7.5, 18.5, 19.5}) run.Frame(t);  // every scene
  EXPECT_EQ(GLErrorsSeen(), before) << "a scene left a GL error";

  glEnable(NoSuchCapability);  // as a scene's mistake would
  testing::internal::CaptureStderr();
  run.Draw(8.5);
  const std::string out = testing::internal::GetCapturedStderr();
  AllowGLErrors(1);
  EXPECT_EQ(GLErrorsSeen() - before, 1);
  EXPECT_TRUE(Has(out, "GL error: GL_INVALID_ENUM after frame ")) << out;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the frame's check left the error in GL";
}
