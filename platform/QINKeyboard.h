// QINKeyboard: the demo's only input, a polled 256-entry key-state table
// indexed by DirectInput key codes (Escape = 1), read once per frame.
// Mechanism: SDL's keyboard state, translated into DIK codes. SDL sees keys
// while the window has the focus; there is no background access.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Display.h"

constexpr std::uint8_t DIK_ESCAPE = 0x01;

struct TQINKeyboardDevice {
  std::int32_t LastResult = 0;  // result of starting the input system
  void* DirectInput = nullptr;  // unused here: SDL's event system stands in
  void* Device = nullptr;
  std::uint8_t Keys[256] = {};  // 0x80 and above: down
};

void CreateKeyboard(const TWindowRec& window, bool exclusive);
std::int32_t UpdateKeyboard();
bool KeyDown(std::uint8_t code);
void FreeKeyboard();

// The description of a DirectInput result code; empty for an unknown code.
std::string DirectInputErrorText(std::int32_t code);

// Fills a DIK-indexed table from SDL's scancode-indexed state (0 or 1 each).
void TranslateKeyState(const std::uint8_t* scancodeState, int count, std::uint8_t keys[256]);

// The module's device, for tests; nullptr outside Create/FreeKeyboard.
const TQINKeyboardDevice* KeyboardDevice();
