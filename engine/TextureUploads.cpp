#include "engine/TextureUploads.h"

#include <GL/glu.h>

#include <algorithm>
#include <deque>

namespace {
struct TPendingUpload {
  GLuint Texture;
  int Width, Height;
  bool Rgba;
  std::vector<std::uint8_t> Pixels;
};

bool Deferring = false;
std::deque<TPendingUpload> Pending;

void Upload(const TPendingUpload& u) {
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, u.Texture);
  UploadMipmaps(u.Width, u.Height, u.Rgba, u.Pixels.data());
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}
}  // namespace

void UploadMipmaps(int Width, int Height, bool Rgba, const void* Pixels) {
  // Rows are tightly packed: 3-byte pixels need not fill 4-byte rows.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, Rgba ? GL_RGBA : 3, Width, Height, Rgba ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                    Pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void DeferTextureUploads(bool On) { Deferring = On; }
bool DeferringTextureUploads() { return Deferring; }

void QueueTextureUpload(GLuint Texture, int Width, int Height, bool Rgba, std::vector<std::uint8_t> Pixels) {
  Pending.push_back({Texture, Width, Height, Rgba, std::move(Pixels)});
}

std::size_t PendingTextureUploads() { return Pending.size(); }

void UploadTextureNow(GLuint Texture) {
  const auto it = std::find_if(Pending.begin(), Pending.end(), [&](const auto& u) { return u.Texture == Texture; });
  if (it == Pending.end()) return;
  const TPendingUpload u = std::move(*it);
  Pending.erase(it);
  Upload(u);
}

bool UploadNextTexture() {
  if (Pending.empty()) return false;
  const TPendingUpload u = std::move(Pending.front());
  Pending.pop_front();
  Upload(u);
  return true;
}

void UploadAllTextures() {
  while (UploadNextTexture()) {
  }
}

void DropTextureUploads() { Pending.clear(); }
