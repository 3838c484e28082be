// GLQueries: what tools and benchmarks ask of the GL besides drawing: the
// frame's pixels, the renderer's name, and waiting until drawing is done.
// Needs: a current GL context; platform/Display for multisampled frames.
#pragma once
#include <cstdint>

// The current read framebuffer's colour from (0, 0) as RGBA bytes, bottom
// row first, rows tightly packed; `rgba` holds width * height * 4 bytes. The
// pack alignment is set to 1 for the read and restored after it. A
// multisampled frame is resolved first.
void ReadFramePixels(int width, int height, std::uint8_t* rgba);

// Returns once every GL command given so far has finished (for timings).
void FinishDrawing();

// The GL_RENDERER string: the driver's name for the device.
const char* RendererName();

// The longest side a frame may have: the least of the largest texture,
// renderbuffer and viewport the GL takes; 0 when it does not say.
int LargestFrameSide();
