// Tests draw offscreen, play to a dummy audio device and never open dialogs,
// unless the caller asked otherwise.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("DEMO_MESSAGES", "stderr", 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
