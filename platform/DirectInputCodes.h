// DirectInputCodes: what the keyboard backends share: the DirectInput key
// codes of the keys (the table QINKeyboard hands out is indexed by them),
// found from USB HID keyboard usages (SDL's scancodes) or the browser's
// KeyboardEvent.code names, and DirectInput's texts for its result codes.
// Needs: nothing (plain data).
#pragma once
#include <cstdint>
#include <string>

constexpr std::uint8_t DIK_ESCAPE = 0x01;

// Reported when the backend's input system does not start.
constexpr std::int32_t DIERR_GENERIC = static_cast<std::int32_t>(0x80004005u);

// The description of a DirectInput result code; empty for an unknown code.
std::string DirectInputErrorText(std::int32_t code);

// Fills a DIK-indexed table from a state indexed by USB HID usage (0 or 1
// each, `count` of them).
void TranslateKeyState(const std::uint8_t* usageState, int count, std::uint8_t keys[256]);

// Keys pressed since the last read, by USB HID usage: the keyboard is read
// once a frame as a state, and a key pressed and let go between two reads
// counts as down at the next one, so that a tap within a slow frame is seen.
struct TKeyTaps {
  std::uint8_t Pressed[256] = {};
};
void NoteKeyPress(TKeyTaps& taps, int usage);
// The DIK table from the keys held now (by usage, `count` of them) and the
// keys tapped since the last read, which are then forgotten.
void ReadKeys(TKeyTaps& taps, const std::uint8_t* held, int count, std::uint8_t keys[256]);

// The USB HID usage of the key a KeyboardEvent.code names ("Escape",
// "KeyF"); -1 for a key the table lacks.
int KeyUsageNamed(const char* name);
