// Quarn2: window creation in the fixed order of the engine, over SDL.
// Windows' separate device context and pixel-format steps fold into SDL's
// window and context creation; their messages keep their place in the order.
#include "engine/Quarn2.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "engine/GLQueries.h"
#include "platform/Message.h"

TWindowRec CurrentWindow;
const float FarPlane = 100000.0f;

namespace {
bool FullscreenRequested = false;
TDisplayWindow Display;

TFrameQuality Quality;

void Error(const char* text) { ShowMessage("Error", text, TMessageIcon::Error); }

// The scale asked for, as far as the GL can draw a frame that large. The
// screen's own resolution is the natural one for a GPU; a software renderer
// keeps one pixel a unit unless told otherwise.
TRenderScale ChooseRenderScale(int width, int height, bool fullscreen) {
  double scale = Quality.Value;
  const bool native = Quality.Scale == TScaleChoice::Native ||
                      (Quality.Scale == TScaleChoice::Auto && !DisplayRendersInSoftware());
  if (native) {
    int w = 0, h = 0;
    DisplayNativeSize(Display, fullscreen, w, h);
    scale = FittingScale(width, height, w, h);
  } else if (Quality.Scale == TScaleChoice::Auto) {
    scale = 1;
  }
  if (const int largest = LargestFrameSide(); largest > 0)
    scale = std::min({scale, static_cast<double>(largest) / width, static_cast<double>(largest) / height});
  return RenderScaleOf(scale, width, height);
}

int ChooseSamples() {
  if (Quality.Samples >= 0) return Quality.Samples;
  return DisplayRendersInSoftware() ? 0 : 4;
}
}  // namespace

void RequestFrameQuality(const TFrameQuality& quality) { Quality = quality; }

// GL and GLU are linked; there is nothing to look up by name.
void LoadGLEntryPoints() {}
void UnloadGLEntryPoints() {}

bool WindowOpened(const TWindowRec& window) { return window.Handle && window.RC; }

TWindowRec OpenWindow(int width, int height, int bits, bool fullscreen, const char* title) {
  TWindowRec rec;
  rec.Title = title;
  rec.Width = width;
  rec.Height = height;
  rec.Bits = bits;
  FullscreenRequested = fullscreen;
  Display = TDisplayWindow{};

  auto end = [&rec]() {
    CurrentWindow = rec;
    return rec;
  };

  if (!DisplayInit(bits)) {
    Error("Failed to register the window class!");
    return end();
  }
  if (fullscreen && !DisplayCreateWindow(Display, title, width, height, true)) {
    Error("Unable to switch to fullscreen!");
    fullscreen = false;
  }
  if (!Display.Window && !DisplayCreateWindow(Display, title, width, height, false)) {
    TearDownWindow(rec, FullscreenRequested);
    Error("Unable to create window!");
    return end();
  }
  rec.Handle = rec.DC = Display.Window;
  if (!DisplayCreateContext(Display)) {
    TearDownWindow(rec, FullscreenRequested);
    Error("Unable to create an OpenGL rendering context");
    return end();
  }
  rec.RC = Display.Context;
  if (!DisplayMakeCurrent(Display)) {
    TearDownWindow(rec, FullscreenRequested);
    Error("Unable to activate OpenGL rendering context");
    return end();
  }
  const TRenderScale scale = ChooseRenderScale(width, height, fullscreen);
  // At another scale than one pixel a unit the frame is made for the
  // screen's own pixels: switching the mode to the frame's size would undo it.
  if (fullscreen && scale.Scale != 1) DisplayKeepDesktopMode(Display);
  DisplayShow(Display, fullscreen);
  SetRenderScale(scale);
  DisplaySetSamples(ChooseSamples());
  DisplayBindFrame(Display, scale.Width, scale.Height);
  SetProjection(width, height);
  SetDefaultGLState();
  if (scale.Scale != 1) glLineWidth(static_cast<float>(scale.Scale));  // lines keep their look
  return end();
}

void TearDownWindow(TWindowRec& window, bool /*fullscreen*/) {
  // SDL restores the display mode and the cursor with the window.
  if (!DisplayReleaseCurrent(Display)) Error("Release of DC and RC failed!");
  DisplayDeleteContext(Display);
  window.RC = nullptr;
  DisplayDestroyWindow(Display);
  window.Handle = window.DC = nullptr;
  DisplayQuit();
}

void SetProjection(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, ScaledPixels(width), ScaledPixels(height));
  PerspectiveProjection(static_cast<double>(width) / static_cast<double>(height));
  glLoadIdentity();
}

void PerspectiveProjection(double aspect) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, aspect, 1.0, FarPlane);
  glMatrixMode(GL_MODELVIEW);
}

void SetDefaultGLState() {
  glClearColor(0.2f, 0.2f, 0.4f, 0.0f);
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glTexGenf(GL_S, GL_TEXTURE_GEN_MODE, 9218.0f);  // GL_SPHERE_MAP
  glTexGenf(GL_T, GL_TEXTURE_GEN_MODE, 9218.0f);
}

bool PresentFrame(const TWindowRec& /*window*/) {
  glFlush();
  if (DisplayPumpEvents()) return true;
  DisplayPresent(Display);
  return false;
}

void DrawFrameOffscreen(bool on) {
  DisplayForceOffscreen(on);
  DisplayBindFrame(Display, CurrentRenderScale().Width, CurrentRenderScale().Height);
}

void SaveGLState() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  for (const GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(stack);
    glPushMatrix();
  }
}

void RestoreGLState() {
  for (const GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) {
    glMatrixMode(stack);
    glPopMatrix();
  }
  glPopClientAttrib();
  glPopAttrib();  // the matrix mode too
}

void BeginFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
