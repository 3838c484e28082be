// X11Present: the frame shown by the X server instead of by the GL, for a
// software GL on X11. Scaling a frame to the screen costs a software
// rasterizer several milliseconds a frame, and its buffer swap copies every
// pixel of the screen; here the frame is read back (800x600, not the screen),
// put into a pixmap and scaled into the window by the X server, which works
// in a process of its own while the next frame is drawn.
// Mechanism: Xlib on a connection of its own, MIT-SHM for the put, XRender
// for the bilinear scaling. Needs a current GL context.
#pragma once

// Starts when the window is an X11 one, the GL renders in software and the
// server has XRender and MIT-SHM; false otherwise (the GL presents). The
// environment's DEMO_PRESENT=gl keeps the GL path.
bool X11PresentStart(void* sdlWindow, int frameWidth, int frameHeight);
bool X11PresentActive();
// Reads the frame from the bound read framebuffer and has it drawn into the
// window, letterboxed in drawWidth x drawHeight, bars black.
void X11PresentFrame(int drawWidth, int drawHeight);
void X11PresentStop();
