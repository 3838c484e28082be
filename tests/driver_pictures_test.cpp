// The driver's still pictures: loaded at start-up, "vell.jpg" over pattern 1
// and "timeup.jpg" in the one frame past pattern 18.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "driver/Globals.h"
#include "driver/QRN2Base.h"
#include "engine/QRN2Materials.h"
#include "support/TestImages.h"
#include "support/TestSupport.h"
#include "sync/Sync.h"

namespace {
using TMessages = std::vector<std::pair<std::string, std::string>>;

// Pattern i ends at (i + 1) seconds, for patterns 0 to 18.
std::vector<float> OneSecondPatterns() {
  std::vector<float> ends;
  for (int i = 1; i <= 19; ++i) ends.push_back(static_cast<float>(i));
  return ends;
}

void WriteMedia(const TTempDir& dir) {
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  WriteBytes(dir / "data/spot.jpg", SolidJPG(16, 16, 255, 255, 255));
  WriteBytes(dir / "data/vell.jpg", SolidJPG(32, 24, 250, 20, 20));
  WriteBytes(dir / "data/timeup.jpg", SolidJPG(32, 24, 20, 20, 250));
}

// Every sampled pixel of the drawn (not yet presented) frame near `rgb`.
void ExpectWholeFrame(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  for (int y : {0, 1, 300, 598, 599})
    for (int x : {0, 1, 400, 798, 799}) {
      const std::vector<std::uint8_t> p = ReadPixel(x, y);
      EXPECT_NEAR(p[0], r, 6) << x << ", " << y;
      EXPECT_NEAR(p[1], g, 6) << x << ", " << y;
      EXPECT_NEAR(p[2], b, 6) << x << ", " << y;
    }
}
}  // namespace

TEST(DriverPictures, LoadedAtStartupThroughTheRegistry) {
  TTempDir dir(true);
  WriteMedia(dir);
  TFakeCounter counter(1000);
  TMessageCapture messages;
  ASSERT_TRUE(DemoStartup());
  EXPECT_NE(SpotTexture, NoTexture);
  EXPECT_NE(Driver.VellTexture, NoTexture);
  EXPECT_NE(Driver.TimeupTexture, NoTexture);
  EXPECT_EQ(FindTexture("spot.jpg"), SpotTexture);
  EXPECT_EQ(FindTexture("vell.jpg"), Driver.VellTexture);
  EXPECT_EQ(FindTexture("timeup.jpg"), Driver.TimeupTexture);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(DriverPictures, MissingPicturesAreReportedAndStartupGoesOn) {
  TTempDir dir(true);
  WriteBytes(dir / "data/test.snc", SyncBytes(OneSecondPatterns()));
  TFakeCounter counter(1000);
  TMessageCapture messages;
  ASSERT_TRUE(DemoStartup());
  EXPECT_EQ(SpotTexture, NoTexture);
  EXPECT_EQ(Driver.VellTexture, NoTexture);
  EXPECT_EQ(messages.Messages(), (TMessages{{"BMP Unit", "Couldn't load JPG - \"spot.jpg\""},
                                            {"BMP Unit", "Couldn't load JPG - \"vell.jpg\""},
                                            {"BMP Unit", "Couldn't load JPG - \"timeup.jpg\""}}));
  TFakeCounter::Set(1500);
  DemoRenderFrame();  // pattern 1 without its picture draws without failing
  EXPECT_EQ(SyncTrack->Pattern, 1);
}

TEST(DriverPictures, PatternOneShowsVellFullScreen) {
  TTempDir dir(true);
  WriteMedia(dir);
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Set(500);
  DemoRenderFrame();
  EXPECT_EQ(SyncTrack->Pattern, 0);
  TFakeCounter::Set(1500);
  DemoRenderFrame();
  ASSERT_EQ(SyncTrack->Pattern, 1);
  ExpectWholeFrame(250, 20, 20);
  DemoEndFrame();
  EXPECT_TRUE(DemoContinues());
}

TEST(DriverPictures, TheFramePastPatternEighteenShowsTimeupAndIsTheLast) {
  TTempDir dir(true);
  WriteMedia(dir);
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Set(18500);
  DemoRenderFrame();
  DemoEndFrame();
  ASSERT_EQ(SyncTrack->Pattern, 18);
  TFakeCounter::Set(19200);
  DemoRenderFrame();
  ASSERT_EQ(SyncTrack->Pattern, 19);
  ExpectWholeFrame(20, 20, 250);
  DemoEndFrame();
  EXPECT_FALSE(DemoContinues());
}
