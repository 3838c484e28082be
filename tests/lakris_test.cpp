// The Lakris scene: sky, camera, waves, the timed overlays and the bar, and
// the state it leaves on purpose, through the driver's frame.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "driver/QRN2Base.h"
#include "engine/QRN2Brush.h"
#include "engine/QRN2Deform.h"
#include "scenes/Lakris.h"
#include "support/SceneMedia.h"
#include "sync/Sync.h"

namespace {
// Patterns 0 to 6 end at 1 to 7 s, so Scenes().Lakris.State.Time = Driver.Time - 7; the
// landscape lasts until 95 s.
std::vector<float> LakrisTimes() {
  std::vector<float> ends;
  for (int i = 0; i <= 6; ++i) ends.push_back(static_cast<float>(i + 1));
  for (int i = 7; i <= 17; ++i) ends.push_back(static_cast<float>(40 + 5 * (i - 6)));
  ends.push_back(96);
  return ends;
}
constexpr double Start = 7;

const TRGB Sky{51, 51, 255};
const TRGB White{255, 255, 255};

// A pixel in each panel position that the other one does not cover.
std::vector<std::uint8_t> RightPanel() { return ReadPixel(620, 300); }
std::vector<std::uint8_t> LeftPanel() { return ReadPixel(170, 300); }
std::vector<std::uint8_t> Bar() { return ReadPixel(10, 560); }

bool IsPanel(const std::vector<std::uint8_t>& p) {
  for (int k = 1; k < 7; ++k)
    if (PixelNear(p, DiagColors[k], 10)) return true;
  return false;
}

const TMeshDataNM& Water() { return *Scenes().Lakris.Land->Brush.Meshes[1]; }
}  // namespace

TEST(Lakris, SkyIsBlueAndTheClearColourStaysBlue) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(Start + 5);
  ASSERT_EQ(Driver.Track.Pattern, 7);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Time, 5.0f);
  EXPECT_TRUE(PixelNear(ReadPixel(790, 590), Sky)) << Rgb(ReadPixel(790, 590));
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.2f);
  EXPECT_FLOAT_EQ(clear[1], 0.2f);
  EXPECT_FLOAT_EQ(clear[2], 1.0f);
  EXPECT_FLOAT_EQ(clear[3], 1.0f);
  EXPECT_TRUE(PixelNear(Bar(), White)) << "no picture this frame: " << Rgb(Bar());
  EXPECT_FALSE(IsPanel(RightPanel()));
  EXPECT_FALSE(IsPanel(LeftPanel()));
}

TEST(Lakris, DuringPatternSixTheFirstOverlayCoversTheScreen) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(6.5);
  ASSERT_EQ(Driver.Track.Pattern, 6);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Time, -0.5f);
  for (int y : {0, 300, 560, 599})
    for (int x : {0, 10, 400, 799}) EXPECT_TRUE(PixelNear(ReadPixel(x, y), DiagColors[0])) << x << ", " << y;
}

TEST(Lakris, FirstOverlayIsHalfTransparentAtTwoAndAHalfAndGoneAtThree) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(Start + 2.5);
  const TRGB half{static_cast<std::uint8_t>((DiagColors[0].r + Sky.r) / 2),
                  static_cast<std::uint8_t>((DiagColors[0].g + Sky.g) / 2),
                  static_cast<std::uint8_t>((DiagColors[0].b + Sky.b) / 2)};
  EXPECT_TRUE(PixelNear(ReadPixel(790, 590), half, 3)) << Rgb(ReadPixel(790, 590));
  run.Frame(Start + 2.5);
  run.Draw(Start + 3.0);
  EXPECT_TRUE(PixelNear(ReadPixel(790, 590), Sky)) << Rgb(ReadPixel(790, 590));
}

TEST(Lakris, AtTenOnePanelOnTheRightAndTheBarInItsColour) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(Start + 10);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Time, 10.0f);
  EXPECT_TRUE(PixelNear(RightPanel(), DiagColors[1], 10)) << Rgb(RightPanel());
  EXPECT_TRUE(PixelNear(ReadPixel(292, 132), DiagColors[1], 10)) << "lower-left corner at (290, 130)";
  EXPECT_TRUE(PixelNear(ReadPixel(638, 478), DiagColors[1], 10)) << "350 pixels square";
  EXPECT_FALSE(IsPanel(ReadPixel(287, 300)));
  EXPECT_FALSE(IsPanel(ReadPixel(643, 300)));
  EXPECT_FALSE(IsPanel(LeftPanel()));
  // The bar takes the picture's texel at (0, 1) and the colour it left.
  EXPECT_TRUE(PixelNear(Bar(), DiagColors[1], 10)) << Rgb(Bar());
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL)) << "left on by the picture, for the next frame's lit draws";
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST(Lakris, AtThirteenNoPanelAtAll) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(Start + 13);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Time, 13.0f);
  EXPECT_FALSE(IsPanel(RightPanel())) << Rgb(RightPanel());
  EXPECT_FALSE(IsPanel(LeftPanel())) << Rgb(LeftPanel());
  EXPECT_TRUE(PixelNear(Bar(), White)) << Rgb(Bar());
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST(Lakris, PanelsFollowTheirWindowsAndPositions) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  const struct {
    double t;
    int image;
    bool right;
  } shown[] = {{15, 2, false}, {19, 3, true}, {23, 4, false}, {27, 5, false}, {34.9, 6, false}};
  for (const auto& s : shown) {
    run.Draw(Start + s.t);
    const auto panel = s.right ? RightPanel() : LeftPanel();
    EXPECT_TRUE(PixelNear(panel, DiagColors[s.image], 10)) << s.t << ": " << Rgb(panel);
    EXPECT_FALSE(IsPanel(s.right ? LeftPanel() : RightPanel())) << s.t;
    DemoEndFrame();
  }
  run.Draw(Start + 35);
  EXPECT_FALSE(IsPanel(RightPanel()));
  EXPECT_FALSE(IsPanel(LeftPanel()));
}

TEST(Lakris, WaterHeightIsTheWaveOfTheDistanceFromTheOrigin) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  for (double t : {12.0, 12.3, 20.7}) {
    run.Frame(t);
    const TVertexArray& drawn = Scenes().Lakris.Land->Buffers[0];
    ASSERT_EQ(drawn.size(), 81u);
    EXPECT_EQ(Water().Vertices[40].x, 0.0f);
    EXPECT_EQ(Water().Vertices[40].z, 0.0f);
    EXPECT_NEAR(drawn[40].y, 3 * std::sin(2.5 * t), 1e-4) << t;
    for (int i : {0, 13, 41, 80}) {
      const TVertex rest = Water().Vertices[i];
      const double d = std::hypot(rest.x, rest.z);
      EXPECT_NEAR(drawn[i].y, 3 * std::sin(2.5 * (d + t)), 1e-4) << i;
      EXPECT_EQ(drawn[i].x, rest.x);
      EXPECT_EQ(drawn[i].z, rest.z);
    }
  }
  // The normals are those of the displaced surface.
  TMeshDataN surface;
  for (std::size_t i = 0; i < 81; ++i) surface.AddVertex(Scenes().Lakris.Land->Buffers[0][i], MakeTexCoord(0, 0));
  for (const TFace& f : Water().Faces) surface.AddFace(f);
  surface.RecalcNormals();
  int leaning = 0;
  for (std::size_t i = 0; i < 81; ++i) {
    EXPECT_EQ(Water().Normals[i].x, surface.Normals[i].x) << i;
    EXPECT_EQ(Water().Normals[i].y, surface.Normals[i].y) << i;
    EXPECT_EQ(Water().Normals[i].z, surface.Normals[i].z) << i;
    leaning += Water().Normals[i].y < 0.99f;
  }
  EXPECT_GT(leaning, 10) << "the waves tilt the surface";
}

TEST(Lakris, CameraClosesInToNinetyAndCirclesOnlyFromFourToSevenPointEight) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  run.Frame(6.9);  // a long first frame: the eye stops at 90, not beyond
  EXPECT_FLOAT_EQ(PointDistance(Scenes().Lakris.State.Camera, ZeroVector), LakrisCameraDistance);
  const double heading = std::atan2(Scenes().Lakris.State.Camera.z, Scenes().Lakris.State.Camera.x);
  for (double t = 7.1; t < Start + 4.05; t += 0.1) run.Frame(t);
  EXPECT_NEAR(std::atan2(Scenes().Lakris.State.Camera.z, Scenes().Lakris.State.Camera.x), heading, 1e-6) << "no circling up to 4";
  run.Frame(Start + 4.1);
  const double turn = (std::atan2(Scenes().Lakris.State.Camera.z, Scenes().Lakris.State.Camera.x) - heading) * 180 / 3.14159265358979;
  EXPECT_NEAR(std::fabs(turn), 6.0, 0.5) << "60 degrees a second for 0.1 s";
  run.Frame(Start + 7.8);
  const TVertex atEnd = Scenes().Lakris.State.Camera;
  run.Frame(Start + 8.0);
  EXPECT_EQ(Scenes().Lakris.State.Camera.x, atEnd.x);
  EXPECT_EQ(Scenes().Lakris.State.Camera.z, atEnd.z);
  EXPECT_NEAR(PointDistance(Scenes().Lakris.State.Camera, ZeroVector), LakrisCameraDistance, 1e-3);
}

TEST(Lakris, CameraApproachesByTheFrameTimeAndStopsAtNinety) {
  TDemoRun run(LakrisTimes());
  ASSERT_TRUE(run.Started());
  run.Frame(5.95);  // the wombat, so the first landscape frame takes 0.1 s
  run.Frame(6.05);
  ASSERT_EQ(Driver.Track.Pattern, 6);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Camera.x, 81);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Camera.y, 36);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Camera.z, 63);
  run.Frame(6.15);
  EXPECT_FLOAT_EQ(Scenes().Lakris.State.Camera.x, 72.9f);
  run.Frame(6.25);  // 0.9 of the way would pass 90
  EXPECT_NEAR(PointDistance(Scenes().Lakris.State.Camera, ZeroVector), LakrisCameraDistance, 1e-3);
  run.Frame(6.35);
  EXPECT_NEAR(PointDistance(Scenes().Lakris.State.Camera, ZeroVector), LakrisCameraDistance, 1e-3);
}

TEST(Lakris, LandWithoutWaterIsReportedAndTheRestIsDrawn) {
  TMessageCapture messages;
  TDemoRun run(LakrisTimes(), [](const std::filesystem::path& data) {
    WriteModel(data / "land.3ds", {Octahedron("Land", 30, {0, 0, -20})});
  });
  ASSERT_TRUE(run.Started());
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0].first, "Error");
  EXPECT_EQ(messages.Messages()[0].second, "Too few meshes in land.3ds: 2 needed, 1 found");
  EXPECT_EQ(Scenes().Lakris.Land->BufferLength, 0);
  run.Frame(Start + 5);
  run.Draw(Start + 10);
  EXPECT_TRUE(PixelNear(ReadPixel(790, 590), Sky));
  EXPECT_TRUE(PixelNear(RightPanel(), DiagColors[1], 10));
}

TEST(Lakris, EmptyModelsAreReportedAndTheLandscapeStillPlays) {
  TMessageCapture messages;
  TDemoRun run(LakrisTimes(), [](const std::filesystem::path& data) {
    WriteModel(data / "land.3ds", {});
    WriteModel(data / "lakris.3ds", {});
  });
  ASSERT_TRUE(run.Started());
  ASSERT_EQ(messages.Messages().size(), 2u);
  EXPECT_EQ(messages.Messages()[0].second, "Too few meshes in lakris.3ds: 1 needed, 0 found");
  EXPECT_EQ(messages.Messages()[1].second, "Too few meshes in land.3ds: 2 needed, 0 found");
  for (double t = 6.5; t < 95; t += 2.5) run.Frame(t);
  run.Draw(Start + 5);
  EXPECT_TRUE(PixelNear(ReadPixel(790, 590), Sky));
  EXPECT_TRUE(PixelNear(ReadPixel(400, 300), Sky)) << "no model in the middle: " << Rgb(ReadPixel(400, 300));
}
