// WaylandWindow: what SDL's Wayland backend leaves undone: a compositor that
// goes away (a logout, a crash). SDL sends the quit a closed window sends,
// when it notices at all, and a software GL's buffer swap then waits for
// ever for the compositor's answer: a watcher ends the program instead,
// with a message and status 1, as an X server's end does.
// Mechanism: a thread polling libwayland-client's socket for its hang-up,
// through SDL_GetWindowWMInfo.
#pragma once

// Starts watching the SDL window's Wayland connection; nothing off Wayland.
void WaylandWatchDisplay(void* sdlWindow);
// Stops watching, before the window and its connection go.
void WaylandStopWatching();
