// DevMedia: the development mode's media read again as they change on disk:
// a picture (JPEG, TGA, BMP) is decoded again into the texture in use, a
// model's scenes start again from it, the music is decoded again and plays
// on from the same time. A file that fails to read keeps the last good one
// and its loader's message is kept for the panel.
// Needs: the texture registry, the driver, platform/Files, platform/Message,
// platform/QuarnBASS.
#pragma once
#include <string>
#include <vector>

#include "platform/Files.h"

struct TWatchedFile {
  std::string Name;  // as the demo asked for it
  TFileStamp Stamp;
};

struct TDevMedia {
  std::vector<TWatchedFile> Files;
  std::string Problem;  // the last failed reload's messages; empty when it worked
  std::string Reloaded;  // the last file read again
};

// Every picture in the registry, the scenes' models and the music as they
// are now.
void WatchMedia(TDevMedia& media);
// What changed since, read again. True when a picture, a model or the music
// changed (the scenes' state is then the caller's to step; the music is
// played again from the clock's time); `musicChanged` tells the music.
bool ReloadChangedMedia(TDevMedia& media, bool& musicChanged);
