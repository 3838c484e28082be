// Quarn2: the engine's core. Opens the program's one window with its OpenGL
// context, sets the projection and the initial GL state, and presents frames.
// Needs: platform/Display (SDL2), OpenGL and GLU.
#pragma once
#include "engine/RenderScale.h"
#include "platform/Display.h"

extern TWindowRec CurrentWindow;   // copy of the last OpenWindow's record
extern const float FarPlane;       // far clipping distance, 100000

void LoadGLEntryPoints();
void UnloadGLEntryPoints();

// The render scale and multisampling of the windows opened from now on; a
// window of width x height units gets a frame of that many units at its
// scale (CurrentRenderScale). Scale 1 without samples is the default.
void RequestFrameQuality(const TFrameQuality& quality);
TWindowRec OpenWindow(int width, int height, int bits, bool fullscreen, const char* title);
void TearDownWindow(TWindowRec& window, bool fullscreen);
// Creation failed when the record lacks its window or its context.
bool WindowOpened(const TWindowRec& window);

// Viewport and perspective for a window of that size in units (the
// viewport in pixels at the render scale); the modelview matrix is selected
// and reset.
void SetProjection(int width, int height);
// 45 degrees vertically, near 1, far FarPlane, into the projection matrix;
// leaves the modelview matrix selected.
void PerspectiveProjection(double aspect);
void SetDefaultGLState();
// Ends a frame: handles every pending event, then shows the frame. True when
// a quit request was among the events; that frame is not shown.
bool PresentFrame(const TWindowRec& window);

// Clears colour and depth and resets the modelview matrix.
void BeginFrame();

// While `on`, the frame is drawn offscreen whatever the window's size, and
// bound again now (platform/Display's DisplayForceOffscreen).
void DrawFrameOffscreen(bool on);

// Every GL setting (server and client attributes, the projection's and the
// modelview's matrices, the matrix mode) kept, and put back as it was; for
// drawing that must leave no trace on the frames after it.
void SaveGLState();
void RestoreGLState();
