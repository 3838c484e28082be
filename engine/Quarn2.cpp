// Quarn2: window creation in the fixed order of the engine, over SDL.
// Windows' separate device context and pixel-format steps fold into SDL's
// window and context creation; their messages keep their place in the order.
#include "engine/Quarn2.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/Message.h"

TWindowRec CurrentWindow;
const float FarPlane = 100000.0f;

namespace {
bool FullscreenRequested = false;
TDisplayWindow Display;

void Error(const char* text) { ShowMessage("Error", text, TMessageIcon::Error); }
}  // namespace

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
  DisplayShow(Display, fullscreen);
  DisplayBindFrame(Display, width, height);
  SetProjection(width, height);
  SetDefaultGLState();
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
  glViewport(0, 0, width, height);
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

void BeginFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
