// Tests draw offscreen, play to a dummy audio device, never open dialogs and
// check GL for errors after every frame, unless the caller asked otherwise.
// A GL error the test did not provoke fails it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/GLErrors.h"
#include "support/TestSupport.h"

namespace {
class TGLErrorGuard : public testing::EmptyTestEventListener {
  long long SeenAtStart = 0, AllowedAtStart = 0;

  void OnTestStart(const testing::TestInfo&) override {
    SeenAtStart = GLErrorsSeen();
    AllowedAtStart = AllowedGLErrors();
  }
  void OnTestEnd(const testing::TestInfo&) override {
    const long long unexpected = (GLErrorsSeen() - SeenAtStart) - (AllowedGLErrors() - AllowedAtStart);
    EXPECT_EQ(unexpected, 0) << "GL errors other than those the test provoked (named on stderr)";
  }
};
}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("DEMO_MESSAGES", "stderr", 0);
  setenv("DEMO_GL_CHECK", "1", 0);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new TGLErrorGuard);
  return RUN_ALL_TESTS();
}
