// Display: the window, its OpenGL context and frame presentation.
// Mechanism: SDL2 video (x11 under a desktop or Xvfb, offscreen/EGL headless)
// with an OpenGL compatibility context. In a browser (platform/web/WebDisplay):
// the page's canvas with a WebGL 2 context under the GL 1.x layer.
//
// The engine always draws a frame of a fixed size (800x600 at scale 1, more
// pixels at a higher render scale). When the drawable has another size (a
// fullscreen window on a display that cannot switch modes, a resized window)
// the frame is drawn into an offscreen framebuffer of its size and shown
// whole, centred and aspect-kept, with black bars.
#pragma once

struct TDisplayWindow {
  void* Window = nullptr;   // SDL_Window*
  void* Context = nullptr;  // SDL_GLContext
};

// The window record the engine hands out for the program's one window.
// Handle is the window, DC its drawable (the same window here), RC the GL
// context; Title points at the caller's text, which is not copied.
struct TWindowRec {
  void* Handle = nullptr;
  void* DC = nullptr;
  void* RC = nullptr;
  const char* Title = nullptr;
  int Width = 0;
  int Height = 0;
  int Bits = 0;
};

// Starts the video subsystem and sets the GL attributes of the pixel format
// (RGBA 8-8-8-8, 24-bit depth, 1-bit stencil, double-buffered).
bool DisplayInit(int colourBits);
// Creates the window: exclusive fullscreen at width x height (the closest
// mode the display has), or a normal window. Hidden until DisplayShow.
bool DisplayCreateWindow(TDisplayWindow& w, const char* title, int width, int height, bool fullscreen);
bool DisplayCreateContext(TDisplayWindow& w);
bool DisplayMakeCurrent(TDisplayWindow& w);
void DisplayShow(TDisplayWindow& w, bool hideCursor);
// Teardown steps; each reports whether it worked.
bool DisplayReleaseCurrent(TDisplayWindow& w);
void DisplayDeleteContext(TDisplayWindow& w);
void DisplayDestroyWindow(TDisplayWindow& w);
void DisplayQuit();

// Makes the fixed-size frame the draw target, adding the offscreen
// framebuffer when the drawable differs from it or the frame is
// multisampled. Needs a current context.
void DisplayBindFrame(TDisplayWindow& w, int frameWidth, int frameHeight);
// Multisampling of the frame with `samples` a pixel (0 or 1: none), as far
// as the GL offers it; takes effect at the next bind.
void DisplaySetSamples(int samples);
// The samples the bound frame has: 0 when it is not multisampled.
int DisplayFrameSamples();
// A multisampled frame is drawn into samples no read can see: this resolves
// the rectangle into the framebuffer that reads (copies into textures,
// read-backs) use. Nothing to do otherwise.
void DisplayResolveFrame(int x, int y, int width, int height);

// Whether the current context draws in software (llvmpipe, softpipe, swrast).
bool DisplayRendersInSoftware();
// The pixels a picture can have: the screen's for a fullscreen window (its
// own mode, not a switched one), else the window's drawable.
void DisplayNativeSize(TDisplayWindow& w, bool fullscreen, int& width, int& height);
// A fullscreen window keeps the screen's own mode instead of asking for the
// frame's size; before DisplayShow.
void DisplayKeepDesktopMode(TDisplayWindow& w);

// Handles every pending event; true when a quit request was among them.
bool DisplayPumpEvents();
// Copies the frame into the window's back buffer, scaled and centred, when
// it was drawn offscreen; leaves the window's framebuffer bound.
void DisplayComposite();
// Shows the frame (composited when needed) and rebinds the frame target.
void DisplayPresent(TDisplayWindow& w);

// Pacing of presented frames, for the real program (tools and tests draw as
// fast as they can): vsync where the GL offers swap control (adaptive where
// it can), else a sleep so that frames never come faster than the display's
// refresh rate (60 Hz when it reports none). Takes effect with the next
// window's context.
void DisplaySetPacing(bool paced);

// The size of a window that is not fullscreen, for windows created from
// now on; 0 x 0 (the default) gives the frame's own size. The frame is
// scaled into it as into any resized window.
void DisplaySetWindowSize(int width, int height);

// Hooks for a tool drawn over the picture: `onEvent` sees every event
// DisplayPumpEvents handles (an SDL_Event*), `overDrawing` draws after the
// frame is composited into the window, before the swap, at the window's own
// resolution. While an overlay is set the GL presents and the frame is drawn
// offscreen even at the window's size (from the next bind), where it stays
// after the swap. nullptr removes a hook.
void DisplaySetOverlayHooks(void (*onEvent)(const void* event), void (*overDrawing)());

// While `on`, the frame is drawn offscreen whatever the drawable's size
// (from the next bind), as it is where the display scales it: a software
// GL compiles its code for each target's format.
void DisplayForceOffscreen(bool on);

// Asks for the program to end, as closing the window does.
void DisplayRequestQuit();

// A display server or compositor that goes away under the demo ends it at
// once with this message and status 1.
constexpr const char* DisplayLostText = "The connection to the display was lost";
