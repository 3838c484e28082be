// QRN2RenderTexture: drawing into a square texture. The next drawing lands
// in the bottom-left Size x Size square of the frame, which is then copied
// into the texture; Size must not exceed the window's sides. Sizes are in
// units of the frame: the square and its texture have Size units' pixels at
// the render scale.
// Needs: Quarn2 (CurrentWindow), RenderScale, platform/Display (resolving a
// multisampled frame), a current GL context.
#pragma once
#include <GL/gl.h>

#include <cstdint>

// An RGBA Size x Size texture with linear filters and no mipmaps, left
// bound. Its texels are undefined until the first copy.
GLuint CreateRenderTexture(std::int32_t Size);
// Narrows the viewport to the square; the projection is not changed.
void BeginRenderToTexture(std::int32_t Size);
// Copies the square into `Texture` (its bottom-left pixel becomes texel
// (0, 0)) and gives the viewport back to the whole window.
void EndRenderToTexture(GLuint Texture, std::int32_t Size);
