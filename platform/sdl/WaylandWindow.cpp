#include "platform/sdl/WaylandWindow.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/Display.h"

namespace {
std::thread Watcher;
int Stop[2] = {-1, -1};  // a pipe: a byte written ends the watch

void Watch(int display) {
  pollfd fds[2] = {{display, 0, 0}, {Stop[0], POLLIN, 0}};
  while (poll(fds, 2, -1) < 0) {
  }
  if (fds[1].revents) return;
  if (fds[0].revents & (POLLHUP | POLLERR)) {
    std::fprintf(stderr, "Error: %s\n", DisplayLostText);
    std::_Exit(1);
  }
}
}  // namespace

void WaylandWatchDisplay(void* sdlWindow) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (Watcher.joinable() || !SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info) ||
      info.subsystem != SDL_SYSWM_WAYLAND || pipe(Stop) != 0)
    return;
  Watcher = std::thread(Watch, wl_display_get_fd(info.info.wl.display));
}

void WaylandStopWatching() {
  if (!Watcher.joinable()) return;
  const char stop = 1;
  if (write(Stop[1], &stop, 1) != 1) Watcher.detach();  // it ends with the program
  if (Watcher.joinable()) Watcher.join();
  close(Stop[0]);
  close(Stop[1]);
}
