#include "engine/QRN2RenderTexture.h"

#include "engine/Quarn2.h"

GLuint CreateRenderTexture(std::int32_t Size) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  // No data: the texels are undefined until the first copy anyway.
  glTexImage2D(GL_TEXTURE_2D, 0, 4, Size, Size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}

void BeginRenderToTexture(std::int32_t Size) { glViewport(0, 0, Size, Size); }

void EndRenderToTexture(GLuint Texture, std::int32_t Size) {
  glBindTexture(GL_TEXTURE_2D, Texture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, Size, Size);
  glViewport(0, 0, CurrentWindow.Width, CurrentWindow.Height);
}
