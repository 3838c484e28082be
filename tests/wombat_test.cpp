// The Wombat scene: the hair and its generator, the circling camera, the
// light sheets, the finale's twist, and models it cannot fully draw, all
// through the driver's frame on a clock the test sets.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "driver/DemoScenes.h"
#include "driver/QRN2Base.h"
#include "engine/QRN2Brush.h"
#include "engine/QRN2Deform.h"
#include "engine/QRN2Vectors.h"
#include "scenes/Wombat.h"
#include "support/Feedback.h"
#include "support/GeometrySupport.h"
#include "support/SceneMedia.h"
#include "sync/Sync.h"

namespace {
// Pattern 4 runs from 2.63 to 6 s, the landscape from 7 to 19 s, the finale
// from 19 to 30 s.
std::vector<float> WombatTimes() {
  std::vector<float> ends = {0.5f, 1.0f, 1.5f, 2.63f, 6, 7};
  for (int i = 6; i <= 17; ++i) ends.push_back(static_cast<float>(i + 2));
  ends.push_back(30);
  return ends;
}

const TMeshDataNM& Body() { return *Scenes().Wombat.Model.Brush->Meshes[0]; }

double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

// The camera's angle about the vertical axis, from +x towards +z.
double Heading(const TVertex& p) { return Degrees(std::atan2(p.z, p.x)); }

// Where the current matrices put a point on the screen.
std::array<double, 2> Project(double x, double y, double z) {
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble wx, wy, wz;
  gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
  return {wx, wy};
}

// The lit pixels of a band across the lower middle of the screen, which
// only the light sheets reach: below the model, between the corner spots.
int LitBelowTheModel() {
  const std::vector<std::uint8_t> frame = ReadFrame();
  int lit = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 270; x < 530; ++x) {
      const std::uint8_t* p = &frame[4 * (y * 800 + x)];
      lit += p[0] > 2 || p[1] > 2 || p[2] > 2;
    }
  return lit;
}

// Turns the camera for one second at `fps` frames per second, around a
// time where the x wobble sin(t) cancels out; returns the heading turned.
double TurnInOneSecond(int fps) {
  TDemoRun run(WombatTimes());
  if (!run.Started()) return 0;
  const double start = std::numbers::pi - 0.5, step = 1.0 / fps;
  run.Frame(start - step);  // the frame before, so the first frame's step is 1 / fps
  EXPECT_EQ(Driver.Track.Pattern, 3);
  const double before = Heading(Scenes().Wombat.State.Camera);
  for (int k = 0; k < fps; ++k) run.Frame(start + k * step);
  EXPECT_EQ(Driver.Track.Pattern, 4);
  EXPECT_NEAR(PointDistance(Scenes().Wombat.State.Camera, ZeroVector), std::sqrt(3.0) * 200, 1e-2) << "turns keep the distance";
  return Heading(Scenes().Wombat.State.Camera) - before;
}

// A wombat.3ds whose mesh 0 is the demo's body changed by `change`.
std::function<void(const std::filesystem::path&)> WombatWith(const std::function<void(T3DSObject&)>& change) {
  return [change](const std::filesystem::path& data) {
    T3DSObject body = Octahedron("Body", WombatBodyRadius, {0, 0, 0});
    change(body);
    WriteModel(data / "wombat.3ds", {body, Octahedron("Eyes", 2, {0, -9, 4})});
  };
}
}  // namespace

TEST(Wombat, GeneratorStartsFromZeroWithoutASeed) {
  std::uint32_t random = 0;
  EXPECT_EQ(HairRandom(random), 1 / 4294967296.0);
  EXPECT_NEAR(HairRandom(random), 0.03138, 5e-6);
  EXPECT_NEAR(HairRandom(random), 0.86105, 5e-6);
  EXPECT_EQ(random, static_cast<std::uint32_t>((134775813ull * 134775814ull + 1) % 4294967296ull));
}

TEST(Wombat, HairHasFortyStrandsPerVertexTheFirstThreeTimesTheNormal) {
  TDemoRun run(WombatTimes());
  ASSERT_TRUE(run.Started());
  ASSERT_EQ(Scenes().Wombat.HairCount, WombatBodyVertices);
  ASSERT_EQ(Scenes().Wombat.Hair.size(), static_cast<std::size_t>(WombatBodyVertices));
  for (int c = 0; c < Scenes().Wombat.HairCount; ++c) {
    const TVertex n = Body().Normals[c];
    EXPECT_EQ(Scenes().Wombat.Hair[c][0].x, 3 * n.x);
    EXPECT_EQ(Scenes().Wombat.Hair[c][0].y, 3 * n.y);
    EXPECT_EQ(Scenes().Wombat.Hair[c][0].z, 3 * n.z);
    for (int i = 1; i < StrandsPerVertex; ++i)
      EXPECT_NEAR(std::sqrt(Scenes().Wombat.Hair[c][i].x * Scenes().Wombat.Hair[c][i].x + Scenes().Wombat.Hair[c][i].y * Scenes().Wombat.Hair[c][i].y + Scenes().Wombat.Hair[c][i].z * Scenes().Wombat.Hair[c][i].z),
                  3, 1e-5);
  }
  // Three numbers per strand, vertex by vertex, strand by strand: the last
  // strand's angles come from draws 718 to 720.
  std::uint32_t state = 0;
  double r[720];
  for (double& x : r) x = (state = state * 134775813u + 1u) / 4294967296.0;
  TVertex last = Body().Normals[5];
  RotateVertex(last, MakeVertex(static_cast<float>(r[717] * 39), static_cast<float>(r[718] * 39 * 39 * 39),
                                static_cast<float>(2 * r[719] * 39 * 39)));
  EXPECT_EQ(Scenes().Wombat.Hair[5][39].x, ScaleVector(last, 3).x);
  EXPECT_EQ(Scenes().Wombat.Hair[5][39].y, ScaleVector(last, 3).y);
  EXPECT_EQ(Scenes().Wombat.Hair[5][39].z, ScaleVector(last, 3).z);
}

TEST(Wombat, EveryStrandIsOneLineFromItsRootWithYAndZExchangedToItsTip) {
  TDemoRun run(WombatTimes());
  ASSERT_TRUE(run.Started());
  const TFeedback f = FeedbackOf([&run] { run.Draw(3.0); });
  ASSERT_EQ(Driver.Track.Pattern, 4);
  ASSERT_FALSE(f.Overflow);
  ASSERT_EQ(f.Lines.size(), static_cast<std::size_t>(WombatBodyVertices * StrandsPerVertex));
  // The frame's modelview is the camera's again once the corner spots are done.
  std::size_t k = 0;
  for (int c = 0; c < Scenes().Wombat.HairCount; ++c)
    for (int j = 0; j < StrandsPerVertex; ++j, ++k) {
      const TVertex p = Body().Vertices[c], v = Scenes().Wombat.Hair[c][j];
      const double len = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
      const double ux = v.x / len, uy = v.y / len, uz = v.z / len;
      const auto root = Project(p.x + 5 * ux, p.y + 5 * uz, p.z + 5 * uy);
      const auto tip = Project(p.x + v.x, p.y + v.y, p.z + v.z);
      EXPECT_NEAR(f.Lines[k][0], root[0], 0.02) << c << ", " << j;
      EXPECT_NEAR(f.Lines[k][1], root[1], 0.02) << c << ", " << j;
      EXPECT_NEAR(f.Lines[k][3], tip[0], 0.02) << c << ", " << j;
      EXPECT_NEAR(f.Lines[k][4], tip[1], 0.02) << c << ", " << j;
    }
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 1.0f);
}

TEST(Wombat, FirstFrameLooksAtTheOriginFromTheStartingCorner) {
  TDemoRun run(WombatTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(3.0);
  ASSERT_EQ(Driver.Track.Pattern, 4);
  const auto centre = Project(0, 0, 0);
  EXPECT_NEAR(centre[0], 400, 1e-3);
  EXPECT_NEAR(centre[1], 300, 1e-3);
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  // The eye (200, 200, 200) goes to the origin, the world's origin 346 units ahead.
  EXPECT_NEAR(m[12] + 200 * (m[0] + m[4] + m[8]), 0, 1e-3);
  EXPECT_NEAR(m[14], -std::sqrt(3.0) * 200, 1e-3);
}

// The x wobble of sin(t) degrees per frame tilts the circle a little, more
// at higher frame rates; the turn about the vertical stays about 100 degrees.
TEST(Wombat, CameraTurnsAHundredDegreesInASecondAtTenFramesASecond) {
  EXPECT_NEAR(TurnInOneSecond(10), 100, 5);
}

TEST(Wombat, CameraTurnsAHundredDegreesInASecondAtFiftyFramesASecond) {
  EXPECT_NEAR(TurnInOneSecond(50), 100, 5);
}

TEST(Wombat, LightSheetsVanishWhenSineOfThreeTimesTheTimeIsZero) {
  TDemoRun run(WombatTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(std::numbers::pi);  // sin(3 pi) = 0
  ASSERT_EQ(Driver.Track.Pattern, 4);
  EXPECT_EQ(LitBelowTheModel(), 0);
}

TEST(Wombat, LightSheetsShineWhenSineOfThreeTimesTheTimeIsOne) {
  TDemoRun run(WombatTimes());
  ASSERT_TRUE(run.Started());
  run.Draw(std::numbers::pi / 6 + 4 * std::numbers::pi / 3);  // sin(3t) = 1
  ASSERT_EQ(Driver.Track.Pattern, 4);
  EXPECT_GT(LitBelowTheModel(), 270 * 200 / 2);
  // The corner spots are added over everything.
  for (auto [x, y] : {std::array{5, 5}, {795, 5}, {5, 595}, {795, 595}})
    EXPECT_TRUE(PixelNear(ReadPixel(x, y), SpotColor)) << x << ", " << y;
}

TEST(Wombat, FinaleDrawsNoHairOnBlackAfterTheLandscapeLeftTheClearColourBlue) {
  TDemoRun run(WombatTimes());
  ASSERT_TRUE(run.Started());
  run.Frame(3.0);
  run.Frame(12.0);  // the landscape
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  ASSERT_EQ(clear[2], 1.0f);
  TFeedback f;
  for (double t : {19.5, 19.6, 19.7}) {
    f = FeedbackOf([&run, t] { run.Draw(t); });
    ASSERT_EQ(Driver.Track.Pattern, 18);
    EXPECT_TRUE(f.Lines.empty()) << f.Lines.size() << " strands at " << t;
  }
  run.Draw(19.8);
  EXPECT_TRUE(PixelNear(ReadPixel(400, 595), {0, 0, 0}, 0)) << Rgb(ReadPixel(400, 595));
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[2], 0.0f);
  // The model twists: its drawn positions leave the mesh's, and the angles
  // carry over from frame to frame.
  const TVertexArray& drawn = Scenes().Wombat.Deform->Buffers[0];
  const TVertexArray& angles = Scenes().Wombat.Deform->Buffers[1];
  ASSERT_EQ(drawn.size(), static_cast<std::size_t>(WombatBodyVertices));
  double moved = 0;
  for (int i = 0; i < WombatBodyVertices; ++i) {
    const TVertex rest = Scenes().Wombat.Deform->Brush.Meshes[0]->Vertices[i];
    moved += PointDistance(drawn[i], rest);
    EXPECT_NEAR(PointDistance(drawn[i], ZeroVector), WombatBodyRadius, 1e-3) << "turned about the origin";
    EXPECT_NE(angles[i].y, 0.0f);
  }
  EXPECT_GT(moved, 1.0);
}

TEST(Wombat, VertexAtTheOriginTakesTheCameraAnglesAndStaysPut) {
  TDemoRun run(WombatTimes(), WombatWith([](T3DSObject& body) { body.Vertices[5] = {0, 0, 0}; }));
  ASSERT_TRUE(run.Started());
  for (double t : {19.5, 19.6, 19.7, 19.8}) {
    const TVertex target = Scenes().Wombat.State.Camera;
    run.Frame(t);
    ASSERT_EQ(Driver.Track.Pattern, FinalePattern);
    const TVertex angles = Scenes().Wombat.Deform->Buffers[1][5];
    EXPECT_EQ(angles.x, target.x);
    EXPECT_EQ(angles.y, target.y);
    EXPECT_EQ(angles.z, target.z);
    const TVertex p = Scenes().Wombat.Deform->Buffers[0][5];
    EXPECT_EQ(PointDistance(p, ZeroVector), 0.0f);
    for (const TVertex& q : Scenes().Wombat.Deform->Buffers[0])
      EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z));
  }
}

TEST(Wombat, StrandsWithoutADirectionAreLeftOut) {
  // Vertex 6 belongs to no face: its normal, and so its hair, is undefined.
  TDemoRun run(WombatTimes(), WombatWith([](T3DSObject& body) {
                 body.Vertices.push_back({0, 0, 30});
                 body.MapCoords.push_back({0, 0});
               }));
  ASSERT_TRUE(run.Started());
  ASSERT_EQ(Scenes().Wombat.HairCount, WombatBodyVertices + 1);
  EXPECT_EQ(Scenes().Wombat.HairLines.Count, WombatBodyVertices * StrandsPerVertex);
  // A zero strand has no direction to grow its root along.
  Scenes().Wombat.Hair[0][3] = ZeroVector;
  BuildHairLines(Scenes().Wombat);
  EXPECT_EQ(Scenes().Wombat.HairLines.Count, WombatBodyVertices * StrandsPerVertex - 1);
  const TFeedback f = FeedbackOf([&run] { run.Draw(3.0); });
  EXPECT_EQ(f.Lines.size(), static_cast<std::size_t>(Scenes().Wombat.HairLines.Count));
  for (const auto& line : f.Lines)
    for (float x : line) ASSERT_TRUE(std::isfinite(x));
}

TEST(Wombat, ModelWithOneMeshIsReportedAndDrawnWithoutItsDarkPart) {
  TMessageCapture messages;
  TDemoRun run(WombatTimes(), [](const std::filesystem::path& data) {
    WriteModel(data / "wombat.3ds", {Octahedron("Body", WombatBodyRadius, {0, 0, 0})});
  });
  ASSERT_TRUE(run.Started());
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0].first, "Error");
  EXPECT_EQ(messages.Messages()[0].second, "Too few meshes in wombat.3ds: 2 needed, 1 found");
  const TFeedback f = FeedbackOf([&run] { run.Draw(3.0); });
  EXPECT_EQ(f.Lines.size(), static_cast<std::size_t>(WombatBodyVertices * StrandsPerVertex));
  for (double t : {12.0, 19.5, 19.6}) run.Frame(t);  // the landscape's small wombats, the finale
  EXPECT_EQ(Driver.Track.Pattern, 18);
}

TEST(Wombat, ModelWithoutMeshesIsReportedAndTheDemoPlaysToTheEnd) {
  TMessageCapture messages;
  TDemoRun run(WombatTimes(), [](const std::filesystem::path& data) { WriteModel(data / "wombat.3ds", {}); });
  ASSERT_TRUE(run.Started());
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0].second, "Too few meshes in wombat.3ds: 2 needed, 0 found");
  EXPECT_EQ(Scenes().Wombat.HairCount, 0);
  EXPECT_EQ(Scenes().Wombat.HairLines.Count, 0);
  for (double t = 2.75; DemoContinues(); t += 0.5) run.Frame(t);
  EXPECT_EQ(Driver.Track.Pattern, 19);
}
