// The window and its GL state, on SDL's offscreen driver.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include "engine/Quarn2.h"
#include "platform/Display.h"
#include "support/TestSupport.h"

TEST(Window, RecordHoldsArgumentsAndCurrentWindowIsItsCopy) {
  const TWindowRec& w = TestWindow();
  EXPECT_TRUE(WindowOpened(w));
  EXPECT_STREQ(w.Title, "Test");
  EXPECT_EQ(w.Width, 800);
  EXPECT_EQ(w.Height, 600);
  EXPECT_EQ(w.Bits, 32);
  EXPECT_EQ(CurrentWindow.Handle, w.Handle);
  EXPECT_EQ(CurrentWindow.Width, 800);
  EXPECT_FLOAT_EQ(FarPlane, 100000.0f);
  GLint depth = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  EXPECT_GE(depth, 24);
}

TEST(Window, DefaultStateReadsBack) {
  TestWindow();
  SetDefaultGLState();
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.2f);
  EXPECT_FLOAT_EQ(clear[1], 0.2f);
  EXPECT_FLOAT_EQ(clear[2], 0.4f);
  EXPECT_FLOAT_EQ(clear[3], 0.0f);
  GLint v;
  glGetIntegerv(GL_SHADE_MODEL, &v);
  EXPECT_EQ(v, GL_SMOOTH);
  GLfloat depthClear;
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depthClear);
  EXPECT_FLOAT_EQ(depthClear, 1.0f);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glGetIntegerv(GL_DEPTH_FUNC, &v);
  EXPECT_EQ(v, GL_LEQUAL);
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &v);
  EXPECT_EQ(v, GL_NICEST);
  glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &v);
  EXPECT_EQ(v, GL_SPHERE_MAP);
  glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &v);
  EXPECT_EQ(v, GL_SPHERE_MAP);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S)) << "generation itself stays off";
}

TEST(Window, ProjectionIs45DegreesAndHeightZeroCountsAsOne) {
  TestWindow();
  SetProjection(800, 600);
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[2], 800);
  EXPECT_EQ(vp[3], 600);
  GLfloat p[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  const float f = 1.0f / std::tan(22.5f * 3.14159265f / 180.0f);
  EXPECT_NEAR(p[5], f, 1e-5f);
  EXPECT_NEAR(p[0], f / (800.0f / 600.0f), 1e-5f);
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  SetProjection(640, 0);
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[3], 1);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_NEAR(p[0], f / 640.0f, 1e-7f) << "aspect is width / 1";
  SetProjection(800, 600);
}

TEST(Window, BeginFrameClearsAndPresentShowsWhenNoQuitIsPending) {
  const TWindowRec& w = TestWindow();
  glClearColor(1, 0, 0, 1);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(1, 2, 3);
  BeginFrame();
  EXPECT_EQ(ReadPixel(400, 300), (std::vector<std::uint8_t>{255, 0, 0, 255}));
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_FLOAT_EQ(m[12], 0.0f);
  EXPECT_FALSE(PresentFrame(w));
}

TEST(Window, QuitAmongPendingEventsIsReportedAndEveryEventIsTaken) {
  const TWindowRec& w = TestWindow();
  SDL_Event e{};
  e.type = SDL_USEREVENT;
  SDL_PushEvent(&e);
  SDL_PushEvent(&e);
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
  e.type = SDL_USEREVENT;
  SDL_PushEvent(&e);
  EXPECT_TRUE(PresentFrame(w));
  EXPECT_FALSE(PresentFrame(w)) << "the queue was emptied in one call";
}

TEST(Window, FrameOfAnotherShapeIsShownWholeCentredWithBlackBars) {
  // A wide drawable: the 800x600 frame is drawn offscreen, then scaled.
  TDisplayWindow w;
  ASSERT_TRUE(DisplayInit(32));
  ASSERT_TRUE(DisplayCreateWindow(w, "Wide", 1000, 600, false));
  ASSERT_TRUE(DisplayCreateContext(w));
  ASSERT_TRUE(DisplayMakeCurrent(w));
  DisplayBindFrame(w, 800, 600);
  glViewport(0, 0, 800, 600);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(ReadPixel(799, 599), (std::vector<std::uint8_t>{255, 0, 0, 255})) << "the engine sees 800x600";
  DisplayComposite();
  EXPECT_EQ(ReadPixel(50, 300), (std::vector<std::uint8_t>{0, 0, 0, 255})) << "left bar";
  EXPECT_EQ(ReadPixel(950, 300), (std::vector<std::uint8_t>{0, 0, 0, 255})) << "right bar";
  EXPECT_EQ(ReadPixel(101, 300), (std::vector<std::uint8_t>{255, 0, 0, 255}));
  EXPECT_EQ(ReadPixel(898, 599), (std::vector<std::uint8_t>{255, 0, 0, 255}));
  // What blending leaves in the frame's alpha must not reach the window,
  // whose system may show the picture through it.
  DisplayBindFrame(w, 800, 600);
  glClearColor(1, 0, 0, 0.25f);
  glClear(GL_COLOR_BUFFER_BIT);
  DisplayComposite();
  EXPECT_EQ(ReadPixel(500, 300), (std::vector<std::uint8_t>{255, 0, 0, 255})) << "presented opaque";
  glClearColor(1, 0, 0, 1);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 1.0f) << "the engine's clear colour survives";
  DisplayDeleteContext(w);
  DisplayDestroyWindow(w);
}
