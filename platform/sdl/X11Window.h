// X11Window: what SDL's X11 backend leaves undone for a fullscreen window.
// Fullscreen there is a request to the window manager; on a server without
// one (a bare Xvfb, a kiosk) the window keeps the size it was created with
// while SDL reports the screen's, and the picture drawn for the screen is
// cropped to the window's corner.
// Mechanism: Xlib through SDL_GetWindowWMInfo; EWMH's
// _NET_SUPPORTING_WM_CHECK tells whether a window manager runs, the
// XWAYLAND extension that the server is XWayland.
#pragma once

// With no window manager, moves and resizes a shown fullscreen SDL window
// to the size SDL takes it to have. Does nothing elsewhere.
void X11FillScreenWithoutWindowManager(void* sdlWindow);

// From now on, an X server that goes away (a logout, a crash) ends the
// program at once with a message and status 1: Xlib allows no return from
// a lost connection, and the exit handlers would run while threads still
// use what they free.
void X11EndWhenDisplayLost();

// Whether the SDL window's X server is XWayland, whose modes are emulated
// for X clients by scaling their picture to the output.
bool X11ServerIsXWayland(void* sdlWindow);
