// DevMedia: file stamps compared every poll; the loaders' messages taken by
// a message hook while a reload runs, so no dialog stops the frame.
#include "dev/DevMedia.h"

#include <cstdio>

#include "driver/QRN2Base.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2Textures.h"
#include "platform/Message.h"
#include "platform/QuarnBASS.h"

namespace {
constexpr const char* MusicFile = "music.mp3";

bool IsModel(const std::string& name) {
  for (const char* model : SceneModelFiles)
    if (name == model) return true;
  return false;
}

// Reads `name` again; false with the loader's messages in `problem`.
bool Reload(const std::string& name, std::string& problem) {
  std::vector<std::string> said;
  SetMessageHook([&](const std::string& caption, const std::string& text) { said.push_back(caption + ": " + text); });
  bool done = false;
  if (name == MusicFile) {
    done = ReloadSample(Driver.MusicSample, MusicFile);
    if (!done) said.push_back(std::string("cannot play ") + MusicFile);
  } else if (IsModel(name)) {
    std::string thrown;
    done = ReloadSceneModel(name, thrown);
    if (!thrown.empty()) said.push_back(thrown);
  } else if (const GLuint texture = FindTexture(name); texture != NoTexture) {
    done = ReloadTexture(name, texture);
  }
  SetMessageHook(nullptr);
  for (const std::string& line : said) problem += (problem.empty() ? "" : "; ") + line;
  return done;
}
}  // namespace

void WatchMedia(TDevMedia& media) {
  media.Files.clear();
  auto watch = [&](const std::string& name) {
    for (const TWatchedFile& f : media.Files)
      if (f.Name == name) return;
    TWatchedFile file{name, {}};
    FileStamp(name, file.Stamp);
    media.Files.push_back(file);
  };
  for (const TTexRegItem& item : TextureRegistry) watch(item.Name);
  for (const char* model : SceneModelFiles) watch(model);
  watch(MusicFile);
}

bool ReloadChangedMedia(TDevMedia& media, bool& musicChanged) {
  bool changed = false;
  musicChanged = false;
  for (TWatchedFile& file : media.Files) {
    TFileStamp stamp;
    // Missing for a moment while it is replaced: wait for the new one.
    if (!FileStamp(file.Name, stamp) || stamp == file.Stamp) continue;
    file.Stamp = stamp;
    std::string problem;
    if (Reload(file.Name, problem)) {
      media.Reloaded = file.Name;
      media.Problem.clear();
      changed = true;
      musicChanged = musicChanged || file.Name == MusicFile;
      std::fprintf(stderr, "dev: %s reloaded\n", file.Name.c_str());
    } else {
      media.Problem = file.Name + ": " + problem;
      std::fprintf(stderr, "dev: %s kept: %s\n", file.Name.c_str(), problem.c_str());
    }
  }
  return changed;
}
