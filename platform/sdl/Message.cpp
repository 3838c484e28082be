// Message: SDL message box with a display, stderr without.
// A dialog is only shown when the video subsystem runs on a real display
// driver and DEMO_MESSAGES is not "stderr", so unattended runs never block.
#include "platform/Message.h"


#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
TMessageHook Hook;

bool DialogAllowed() {
  const char* mode = std::getenv("DEMO_MESSAGES");
  if (mode && std::strcmp(mode, "stderr") == 0) return false;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return false;
  return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

Uint32 BoxFlags(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::Warning: return SDL_MESSAGEBOX_WARNING;
    case TMessageIcon::Information: return SDL_MESSAGEBOX_INFORMATION;
    case TMessageIcon::Error: break;
  }
  return SDL_MESSAGEBOX_ERROR;
}
}  // namespace

void SetMessageHook(TMessageHook hook) { Hook = std::move(hook); }

void ShowMessage(const std::string& caption, const std::string& text, TMessageIcon icon) {
  if (Hook) {
    Hook(caption, text);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  if (DialogAllowed())
    SDL_ShowSimpleMessageBox(BoxFlags(icon), caption.c_str(), text.c_str(), nullptr);
}
