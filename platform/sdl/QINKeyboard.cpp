// QINKeyboard: SDL keyboard state behind the DirectInput-style interface.
// SDL numbers its scancodes by USB HID usage, which the shared key table
// (platform/DirectInputCodes) is indexed by. An event watch sees every key
// press as SDL queues it, so a tap between two reads is not lost.
#include "platform/QINKeyboard.h"

#include <SDL2/SDL.h>

#include <memory>

#include "platform/Message.h"

static_assert(SDL_SCANCODE_A == 0x04 && SDL_SCANCODE_ESCAPE == 0x29 && SDL_SCANCODE_F1 == 0x3A &&
              SDL_SCANCODE_KP_ENTER == 0x58 && SDL_SCANCODE_LCTRL == 0xE0 && SDL_SCANCODE_RGUI == 0xE7);

namespace {
std::unique_ptr<TQINKeyboardDevice> Keyboard;
TKeyTaps Taps;

int NoteTap(void*, SDL_Event* e) {
  if (e->type == SDL_KEYDOWN) NoteKeyPress(Taps, e->key.keysym.scancode);
  return 1;
}
}  // namespace

void CreateKeyboard(const TWindowRec& /*window*/, bool /*exclusive*/) {
  // SDL gives focus-bound, shared access whatever is asked for.
  Keyboard = std::make_unique<TQINKeyboardDevice>();
  Keyboard->LastResult = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0 ? 0 : DIERR_GENERIC;
  if (Keyboard->LastResult != 0)
    ShowMessage("", DirectInputErrorText(Keyboard->LastResult), TMessageIcon::Information);
  // On failure the demo runs on with no key ever down.
  Taps = TKeyTaps{};
  if (Keyboard->LastResult == 0) SDL_AddEventWatch(NoteTap, nullptr);
}

std::int32_t UpdateKeyboard() {
  if (!Keyboard) return DIERR_GENERIC;
  if (Keyboard->LastResult != 0) return Keyboard->LastResult;
  SDL_PumpEvents();
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  ReadKeys(Taps, state, count, Keyboard->Keys);
  return 0;
}

bool KeyDown(std::uint8_t code) { return Keyboard && Keyboard->Keys[code] >= 0x80; }

void FreeKeyboard() {
  if (Keyboard && Keyboard->LastResult == 0) {
    SDL_DelEventWatch(NoteTap, nullptr);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
  }
  Keyboard.reset();
}

const TQINKeyboardDevice* KeyboardDevice() { return Keyboard.get(); }
