// QINKeyboard: the demo's only input, a polled 256-entry key-state table
// indexed by DirectInput key codes (Escape = 1), read once per frame.
// Mechanism: the backend's key state (SDL's keyboard state; the page's key
// events in a browser), translated into DIK codes by platform/DirectInputCodes.
// Keys are seen while the window (the page) has the focus; there is no
// background access.
#pragma once
#include <cstdint>

#include "platform/DirectInputCodes.h"
#include "platform/Display.h"

struct TQINKeyboardDevice {
  std::int32_t LastResult = 0;  // result of starting the input system
  void* DirectInput = nullptr;  // unused: the backend's events stand in
  void* Device = nullptr;
  std::uint8_t Keys[256] = {};  // 0x80 and above: down
};

void CreateKeyboard(const TWindowRec& window, bool exclusive);
std::int32_t UpdateKeyboard();
bool KeyDown(std::uint8_t code);
void FreeKeyboard();

// The module's device, for tests; nullptr outside Create/FreeKeyboard.
const TQINKeyboardDevice* KeyboardDevice();
