// The driver's still pictures: loaded at start-up, "vell.jpg" over pattern 1
// and "timeup.jpg" in the one frame past pattern 18.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "driver/DemoScenes.h"
#include "driver/QRN2Base.h"
#include "engine/QRN2Materials.h"
#include "engine/TextureUploads.h"
#include "support/SceneMedia.h"
#include "support/TestSupport.h"
#include "scenes/Opening.h"
#include "scenes/Picture.h"
#include "scenes/Wombat.h"
#include "sync/Sync.h"

namespace {
using TMessages = std::vector<std::pair<std::string, std::string>>;

// Every picture, vell.jpg in VellColor and timeup.jpg in TimeupColor.
void WriteMedia(const TTempDir& dir) { WriteDemoMedia(dir / "data", OneSecondPatterns()); }

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
  EXPECT_NE(Scenes().Wombat.SpotTexture, NoTexture);
  EXPECT_NE(Driver.VellTexture, NoTexture);
  EXPECT_NE(Driver.TimeupTexture, NoTexture);
  EXPECT_EQ(FindTexture("spot.jpg"), Scenes().Wombat.SpotTexture);
  EXPECT_EQ(FindTexture("vell.jpg"), Driver.VellTexture);
  EXPECT_EQ(FindTexture("timeup.jpg"), Driver.TimeupTexture);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(DriverPictures, OnlyTheOpeningsPictureIsUpBeforeTheFirstFrameAndAllBeforeTheNextScene) {
  TTempDir dir(true);
  WriteMedia(dir);
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  const auto complete = [](GLuint t) {
    glBindTexture(GL_TEXTURE_2D, t);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width > 0;
  };
  EXPECT_TRUE(complete(Scenes().Opening.Texture));
  EXPECT_FALSE(complete(Driver.VellTexture));
  const std::size_t waiting = PendingTextureUploads();
  DemoRenderFrame();
  DemoEndFrame();
  EXPECT_EQ(PendingTextureUploads(), waiting - 1);
  TFakeCounter::Set(1500);  // pattern 1: the still draws vell.jpg
  DemoRenderFrame();
  EXPECT_EQ(PendingTextureUploads(), 0u);
  EXPECT_TRUE(complete(Driver.VellTexture));
  EXPECT_TRUE(complete(Driver.TimeupTexture));
}

TEST(DriverPictures, MissingPicturesAreReportedAndStartupGoesOn) {
  TTempDir dir(true);
  WriteDemoMedia(dir / "data", OneSecondPatterns());
  for (const char* name : {"spot.jpg", "vell.jpg", "timeup.jpg"}) std::filesystem::remove(dir / "data" / name);
  TFakeCounter counter(1000);
  TMessageCapture messages;
  ASSERT_TRUE(DemoStartup());
  EXPECT_EQ(Scenes().Wombat.SpotTexture, NoTexture);
  EXPECT_EQ(Driver.VellTexture, NoTexture);
  EXPECT_EQ(messages.Messages(), (TMessages{{"BMP Unit", "Couldn't load JPG - \"spot.jpg\""},
                                            {"BMP Unit", "Couldn't load JPG - \"vell.jpg\""},
                                            {"BMP Unit", "Couldn't load JPG - \"timeup.jpg\""}}));
  TFakeCounter::Set(1500);
  DemoRenderFrame();  // pattern 1 without its picture draws without failing
  EXPECT_EQ(Driver.Track.Pattern, 1);
}

TEST(DriverPictures, PatternOneShowsVellFullScreen) {
  TTempDir dir(true);
  WriteMedia(dir);
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  TFakeCounter::Set(500);
  DemoRenderFrame();
  EXPECT_EQ(Driver.Track.Pattern, 0);
  TFakeCounter::Set(1500);
  DemoRenderFrame();
  ASSERT_EQ(Driver.Track.Pattern, 1);
  ExpectWholeFrame(VellColor.r, VellColor.g, VellColor.b);
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
  ASSERT_EQ(Driver.Track.Pattern, 18);
  TFakeCounter::Set(19200);
  DemoRenderFrame();
  ASSERT_EQ(Driver.Track.Pattern, 19);
  ExpectWholeFrame(TimeupColor.r, TimeupColor.g, TimeupColor.b);
  DemoEndFrame();
  EXPECT_FALSE(DemoContinues());
}

// Tools and tests start the demo more than once in one process. Each start
// gets a new window and context: nothing of the last run's models, texture
// names or scene state may carry over, whether or not it was shut down.
TEST(DriverPictures, EveryStartUpInOneProcessPlaysLikeTheFirst) {
  TTempDir dir(true);
  WriteMedia(dir);
  TFakeCounter counter(1000);
  ASSERT_TRUE(DemoStartup());
  const std::size_t textures = TextureRegistry.size();
  const TVertexArray hairEnds = Scenes().Wombat.HairLines.Ends;
  ASSERT_GT(textures, 0u);
  ASSERT_FALSE(hairEnds.empty());
  for (int ms : {500, 1500, 18500, 19200}) {  // to the finale and the last frame
    TFakeCounter::Set(ms);
    DemoRenderFrame();
    DemoEndFrame();
  }
  ASSERT_EQ(Driver.Track.Pattern, LastFramePattern);
  DemoShutdown();
  EXPECT_TRUE(TextureRegistry.empty());
  EXPECT_EQ(Driver.Scenes, nullptr);

  for (bool shutDown : {true, false}) {  // the second start follows no shutdown
    TFakeCounter::Set(0);
    ASSERT_TRUE(DemoStartup());
    EXPECT_EQ(TextureRegistry.size(), textures) << "shut down before: " << shutDown;
    const TVertex wombatCamera = Scenes().Wombat.State.Camera, lakrisCamera = Scenes().Lakris.State.Camera;
    EXPECT_EQ(wombatCamera.x, 200);
    EXPECT_EQ(lakrisCamera.x, 90);
    EXPECT_EQ(Scenes().Picture.Fade, PictureFadeSeconds);
    ASSERT_EQ(Scenes().Wombat.HairLines.Ends.size(), hairEnds.size());
    EXPECT_EQ(std::memcmp(Scenes().Wombat.HairLines.Ends.data(), hairEnds.data(), hairEnds.size() * sizeof(TVertex)), 0);
    TFakeCounter::Set(1500);
    DemoRenderFrame();
    ExpectWholeFrame(VellColor.r, VellColor.g, VellColor.b);  // a texture of this context
    DemoEndFrame();
  }
  DemoShutdown();
}
