// WebKeyboard: platform/QINKeyboard.h in a browser. The page's key events
// keep a table by USB HID usage (from KeyboardEvent.code, which names the
// key's place, not its letter), turned into the DIK table at each read by
// the shared translation (platform/DirectInputCodes). A key pressed and let
// go between two reads counts as down at the next one: the browser may
// deliver both events before a frame. Leaving the page lets every key go.
// Mechanism: emscripten's html5.h key and blur callbacks on the window; the
// events are not consumed, so the browser's own keys (Escape leaving
// fullscreen, F5) work as ever.
#include "platform/QINKeyboard.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <memory>

#include "platform/Message.h"

namespace {
constexpr int Usages = 256;

struct TWebKeys {
  TQINKeyboardDevice Device;
  std::uint8_t Held[Usages] = {};
  TKeyTaps Taps;
};
std::unique_ptr<TWebKeys> Keyboard;

EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent* e, void*) {
  const int usage = KeyUsageNamed(e->code);
  if (!Keyboard || usage < 0) return EM_FALSE;
  const bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
  Keyboard->Held[usage] = down;
  if (down) NoteKeyPress(Keyboard->Taps, usage);
  return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
  if (Keyboard) std::fill(std::begin(Keyboard->Held), std::end(Keyboard->Held), 0);
  return EM_FALSE;
}

void Listen(bool on) {
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  EMSCRIPTEN_RESULT r = emscripten_set_keydown_callback(window, nullptr, EM_TRUE, on ? OnKey : nullptr);
  if (r == EMSCRIPTEN_RESULT_SUCCESS) r = emscripten_set_keyup_callback(window, nullptr, EM_TRUE, on ? OnKey : nullptr);
  if (r == EMSCRIPTEN_RESULT_SUCCESS) r = emscripten_set_blur_callback(window, nullptr, EM_TRUE, on ? OnBlur : nullptr);
  if (on && r != EMSCRIPTEN_RESULT_SUCCESS) Keyboard->Device.LastResult = DIERR_GENERIC;
}
}  // namespace

void CreateKeyboard(const TWindowRec& /*window*/, bool /*exclusive*/) {
  // The page's events are focus-bound and shared whatever is asked for.
  Keyboard = std::make_unique<TWebKeys>();
  Listen(true);
  if (Keyboard->Device.LastResult != 0)
    ShowMessage("", DirectInputErrorText(Keyboard->Device.LastResult), TMessageIcon::Information);
  // On failure the demo runs on with no key ever down.
}

std::int32_t UpdateKeyboard() {
  if (!Keyboard) return DIERR_GENERIC;
  TWebKeys& k = *Keyboard;
  if (k.Device.LastResult != 0) return k.Device.LastResult;
  ReadKeys(k.Taps, k.Held, Usages, k.Device.Keys);
  return 0;
}

bool KeyDown(std::uint8_t code) { return Keyboard && Keyboard->Device.Keys[code] >= 0x80; }

void FreeKeyboard() {
  if (Keyboard) Listen(false);
  Keyboard.reset();
}

const TQINKeyboardDevice* KeyboardDevice() { return Keyboard ? &Keyboard->Device : nullptr; }
