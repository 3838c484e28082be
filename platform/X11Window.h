// X11Window: what SDL's X11 backend leaves undone for a fullscreen window.
// Fullscreen there is a request to the window manager; on a server without
// one (a bare Xvfb, a kiosk) the window keeps the size it was created with
// while SDL reports the screen's, and the picture drawn for the screen is
// cropped to the window's corner.
// Mechanism: Xlib through SDL_GetWindowWMInfo; EWMH's
// _NET_SUPPORTING_WM_CHECK tells whether a window manager runs.
#pragma once

// With no window manager, moves and resizes a shown fullscreen SDL window
// to the size SDL takes it to have. Does nothing elsewhere.
void X11FillScreenWithoutWindowManager(void* sdlWindow);
