#include "platform/sdl/X11Window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Display.h"

namespace {
int DisplayLost(::Display*) {
  std::fprintf(stderr, "Error: %s\n", DisplayLostText);
  std::_Exit(1);
}

bool WindowManagerRuns(::Display* d) {
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long items = 0, left = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format,
                                        &items, &left, &data) == Success &&
                     type == XA_WINDOW && items == 1;
  if (data) XFree(data);
  return found;
}
}  // namespace

void X11EndWhenDisplayLost() { XSetIOErrorHandler(DisplayLost); }

bool X11ServerIsXWayland(void* sdlWindow) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info) || info.subsystem != SDL_SYSWM_X11) return false;
  int opcode = 0, event = 0, error = 0;
  return XQueryExtension(info.info.x11.display, "XWAYLAND", &opcode, &event, &error);
}

void X11FillScreenWithoutWindowManager(void* sdlWindow) {
  SDL_Window* window = static_cast<SDL_Window*>(sdlWindow);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) || !SDL_GetWindowWMInfo(window, &info) ||
      info.subsystem != SDL_SYSWM_X11)
    return;
  ::Display* d = info.info.x11.display;
  if (WindowManagerRuns(d)) return;
  int width = 0, height = 0;
  SDL_GetWindowSize(window, &width, &height);
  XWindowAttributes actual{};
  if (!XGetWindowAttributes(d, info.info.x11.window, &actual) || (actual.width == width && actual.height == height))
    return;
  XMoveResizeWindow(d, info.info.x11.window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(d, False);
}
