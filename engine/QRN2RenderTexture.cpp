#include "engine/QRN2RenderTexture.h"

#include "engine/Quarn2.h"
#include "engine/RenderScale.h"
#include "platform/Display.h"

GLuint CreateRenderTexture(std::int32_t Size) {
  const int pixels = ScaledPixels(Size);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // No data: the texels are undefined until the first copy anyway.
  glTexImage2D(GL_TEXTURE_2D, 0, 4, pixels, pixels, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}

void BeginRenderToTexture(std::int32_t Size) {
  const int pixels = ScaledPixels(Size);
  glViewport(0, 0, pixels, pixels);
}

void EndRenderToTexture(GLuint Texture, std::int32_t Size) {
  const int pixels = ScaledPixels(Size);
  DisplayResolveFrame(0, 0, pixels, pixels);  // the copy reads no samples
  glBindTexture(GL_TEXTURE_2D, Texture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, pixels, pixels);
  glViewport(0, 0, ScaledPixels(CurrentWindow.Width), ScaledPixels(CurrentWindow.Height));
}
