// TextureUploads: the pixels of a texture go to GL either at once or later,
// between frames, so that the first frame need not wait for every picture of
// the demo. While deferring is on, BuildTexture makes the texture object
// (name, wrap, filters) at once and queues its pixels here; a texture is
// complete once its upload has run. The upload is the same in both cases:
// gluBuild2DMipmaps of the power-of-two pixels, so the texels are too.
// Needs: a current GL context; GLU.
#pragma once
#include <GL/gl.h>

#include <cstdint>
#include <vector>

// Mipmaps from level 0 down to 1x1 into the bound texture, rows tightly packed.
void UploadMipmaps(int Width, int Height, bool Rgba, const void* Pixels);

void DeferTextureUploads(bool On);
bool DeferringTextureUploads();
// Keeps the pixels until the upload of `Texture` runs.
void QueueTextureUpload(GLuint Texture, int Width, int Height, bool Rgba, std::vector<std::uint8_t> Pixels);
std::size_t PendingTextureUploads();

// Each keeps the bound texture and the unpack alignment as they were.
void UploadTextureNow(GLuint Texture);  // if it is queued
bool UploadNextTexture();               // the oldest; false when none is left
void UploadAllTextures();
// Forgets the queue (its textures are being deleted).
void DropTextureUploads();
