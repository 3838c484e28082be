// Display: SDL2 window and GL context, and frame pacing; letterboxed
// presentation is FrameTarget's, or X11Present's for a software GL on X11.
#include "platform/Display.h"

#include <SDL2/SDL.h>
#include <GL/gl.h>
#include <dlfcn.h>
#include <link.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <string>
#include <utility>
#include <vector>

#include "platform/FrameTarget.h"
#include "platform/SoftwareRenderer.h"
#include "platform/sdl/X11Present.h"
#include "platform/sdl/WaylandWindow.h"
#include "platform/sdl/X11Window.h"

namespace {
std::pair<int, int> FrameSize;  // the fixed frame the engine draws
bool X11PresentTried = false;     // for this context

struct TPacing {
  bool Wanted = false;
  bool Sleeps = false;  // no swap control: sleep out the refresh period
  std::chrono::steady_clock::duration Period{};
  std::chrono::steady_clock::time_point LastPresent{};
};
TPacing Pacing;

void (*EventHook)(const void*) = nullptr;

void (*OverlayHook)() = nullptr;

// SDL unloads the GL driver with the last GL window. What Mesa's vendor
// library and DRI driver hold for the whole process would then be lost
// rather than freed (and reported by leak checkers), and the next window
// would load the driver again: once loaded, it stays for the process.
void KeepGLDriverLoaded() {
  std::vector<std::string> driver;
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* out) {
        const char* name = info->dlpi_name;
        if (name && (std::strstr(name, "_mesa.so") || std::strstr(name, "_dri.so")))
          static_cast<std::vector<std::string>*>(out)->push_back(name);
        return 0;
      },
      &driver);
  // Outside the iteration, which holds the loader's lock.
  for (const std::string& name : driver) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
void StartPacing(SDL_Window* window) {
  Pacing.Sleeps = false;
  if (!Pacing.Wanted) {
    SDL_GL_SetSwapInterval(0);
    return;
  }
  if (SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0) return;
  SDL_DisplayMode mode{};
  int hz = SDL_GetWindowDisplayMode(window, &mode) == 0 ? mode.refresh_rate : 0;
  if (hz <= 0) hz = 60;
  Pacing.Sleeps = true;
  Pacing.Period = std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::seconds(1)) / hz;
  Pacing.LastPresent = std::chrono::steady_clock::now();
}

void PaceAfterPresent() {
  if (!Pacing.Sleeps) return;
  const auto due = Pacing.LastPresent + Pacing.Period;
  auto now = std::chrono::steady_clock::now();
  if (now < due) {
    std::this_thread::sleep_until(due);
    now = std::chrono::steady_clock::now();
  }
  // Keeps the cadence; a frame later than a whole period starts a new one
  // rather than letting the next frames hurry to catch up.
  Pacing.LastPresent = now - due < Pacing.Period ? due : now;
}
}  // namespace

void DisplaySetPacing(bool paced) { Pacing.Wanted = paced; }

namespace {
// A display whose modes are the compositor's scaling of the picture, not
// the output's: a mode other than its own would be stretched over it.
bool DisplayOnlyEmulatesModes(SDL_Window* window) {
  const char* driver = SDL_GetCurrentVideoDriver();
  return (driver && std::strcmp(driver, "wayland") == 0) || X11ServerIsXWayland(window);
}

void KeepDesktopMode(SDL_Window* window) {
  SDL_DisplayMode desktop{};
  if (window && SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) == 0)
    SDL_SetWindowDisplayMode(window, &desktop);
}
}  // namespace

namespace {
int WindowWidth = 0, WindowHeight = 0;  // 0: the frame's size
}  // namespace

void DisplaySetWindowSize(int width, int height) {
  WindowWidth = width;
  WindowHeight = height;
}

bool DisplayInit(int colourBits) {
  // With no session bus named, SDL's X11 start-up has libdbus fork
  // dbus-launch to start one, from a process whose picture decoder already
  // runs: a child forked while another thread holds an allocator lock (as
  // the sanitizers' does) hangs before its exec, and the start-up with it.
  // SDL wants the bus only for the screensaver and input methods.
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus", 0);
  // Wayland has no mode switch: SDL would emulate one, and the compositor
  // would stretch the frame's size over the output.
  SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_MODE_EMULATION, "0");
  // Before SDL's X11 start-up, which a server ending now would end too.
  X11EndWhenDisplayLost();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  // Without a display SDL falls back on a driver that shows nothing: the
  // demo would play unseen. Tools and tests ask for one by name.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
      !(asked && std::strstr(asked, driver))) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  const int channel = colourBits >= 24 ? 8 : 5;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, colourBits >= 32 ? 8 : 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  return true;
}

bool DisplayCreateWindow(TDisplayWindow& w, const char* title, int width, int height, bool fullscreen) {
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  // A window may be asked another size than the frame; fullscreen asks the
  // frame's size of the display.
  const bool sized = !fullscreen && WindowWidth > 0 && WindowHeight > 0;
  SDL_Window* window =
      SDL_CreateWindow(title, 0, 0, sized ? WindowWidth : width, sized ? WindowHeight : height, flags);
  if (!window) return false;
  if (fullscreen && DisplayOnlyEmulatesModes(window)) {
    // The output as it is, at its own pixels (a scaled one's too).
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else if (fullscreen) {
    SDL_DisplayMode want{}, got{};
    want.w = width;
    want.h = height;
    if (SDL_GetClosestDisplayMode(SDL_GetWindowDisplayIndex(window), &want, &got))
      SDL_SetWindowDisplayMode(window, &got);
  } else {
    SDL_SetWindowResizable(window, SDL_TRUE);
  }
  w.Window = window;
  return true;
}

bool DisplayCreateContext(TDisplayWindow& w) {
  w.Context = SDL_GL_CreateContext(static_cast<SDL_Window*>(w.Window));
  if (w.Context) KeepGLDriverLoaded();
  return w.Context != nullptr;
}

bool DisplayMakeCurrent(TDisplayWindow& w) {
  if (SDL_GL_MakeCurrent(static_cast<SDL_Window*>(w.Window), w.Context) != 0) return false;
  StartPacing(static_cast<SDL_Window*>(w.Window));
  return true;
}

void DisplayShow(TDisplayWindow& w, bool hideCursor) {
  SDL_Window* window = static_cast<SDL_Window*>(w.Window);
  WaylandWatchDisplay(window);
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  X11FillScreenWithoutWindowManager(window);
  if (hideCursor) SDL_ShowCursor(SDL_DISABLE);
}

bool DisplayReleaseCurrent(TDisplayWindow& w) {
  if (!w.Window) return true;
  return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(w.Window), nullptr) == 0;
}

void DisplayDeleteContext(TDisplayWindow& w) {
  if (w.Context) SDL_GL_DeleteContext(w.Context);
  w.Context = nullptr;
  FrameTargetForget();
  X11PresentStop();
  X11PresentTried = false;
}

void DisplayDestroyWindow(TDisplayWindow& w) {
  WaylandStopWatching();
  if (w.Window) SDL_DestroyWindow(static_cast<SDL_Window*>(w.Window));
  w.Window = nullptr;
  SDL_ShowCursor(SDL_ENABLE);
}

void DisplayQuit() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

bool DisplayRendersInSoftware() {
  return IsSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

void DisplayNativeSize(TDisplayWindow& w, bool fullscreen, int& width, int& height) {
  SDL_Window* window = static_cast<SDL_Window*>(w.Window);
  width = height = 0;
  if (!window) return;
  SDL_GL_GetDrawableSize(window, &width, &height);
  SDL_DisplayMode desktop{};
  if (fullscreen && SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) == 0) {
    // A scaled output's mode is in its logical units; the window's own
    // pixels a unit tell its pixels.
    int logical = 0, unused = 0;
    SDL_GetWindowSize(window, &logical, &unused);
    const double density = logical > 0 && width > logical ? static_cast<double>(width) / logical : 1.0;
    width = static_cast<int>(desktop.w * density + 0.5);
    height = static_cast<int>(desktop.h * density + 0.5);
  }
}

void DisplayKeepDesktopMode(TDisplayWindow& w) { KeepDesktopMode(static_cast<SDL_Window*>(w.Window)); }

void DisplaySetSamples(int samples) { FrameTargetSetSamples(samples); }
int DisplayFrameSamples() { return FrameTargetSamples(); }
void DisplayResolveFrame(int x, int y, int width, int height) { FrameTargetResolve(x, y, width, height); }

void DisplayBindFrame(TDisplayWindow& w, int frameWidth, int frameHeight) {
  if (!w.Window || !w.Context) return;
  FrameSize = {frameWidth, frameHeight};
  int drawWidth = 0, drawHeight = 0;
  SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(w.Window), &drawWidth, &drawHeight);
  FrameTargetBind(frameWidth, frameHeight, drawWidth, drawHeight);
}

bool DisplayPumpEvents() {
  bool quit = false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (e.type == SDL_QUIT) quit = true;
    if (EventHook) EventHook(&e);
  }
  return quit;
}

void DisplayComposite() { FrameTargetPresent(); }

void DisplayPresent(TDisplayWindow& w) {
  SDL_Window* window = static_cast<SDL_Window*>(w.Window);
  if (!window) return;
  if (FrameTargetOffscreen() && !X11PresentTried) {
    X11PresentTried = true;
    X11PresentStart(window, FrameSize.first, FrameSize.second);
  }
  if (FrameTargetOffscreen() && X11PresentActive() && !OverlayHook) {
    FrameTargetResolve(0, 0, FrameSize.first, FrameSize.second);
    X11PresentFrame(FrameTargetDrawWidth(), FrameTargetDrawHeight());  // nothing to swap
  } else {
    DisplayComposite();
    if (OverlayHook) OverlayHook();
    SDL_GL_SwapWindow(window);
  }
  PaceAfterPresent();
  DisplayBindFrame(w, FrameSize.first, FrameSize.second);
}

void DisplayForceOffscreen(bool on) { FrameTargetKeepOffscreen(on || OverlayHook); }

void DisplaySetOverlayHooks(void (*onEvent)(const void* event), void (*overDrawing)()) {
  EventHook = onEvent;
  OverlayHook = overDrawing;
  // The overlay never lands in the frame, and a held frame outlives the swap.
  FrameTargetKeepOffscreen(overDrawing != nullptr);
}

void DisplayRequestQuit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}
