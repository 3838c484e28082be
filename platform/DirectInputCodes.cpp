// DirectInputCodes: the key table and DirectInput's result texts, plain data
// that every keyboard backend shares.
#include "platform/DirectInputCodes.h"

#include <cstring>
#include <iterator>

namespace {
struct TKeyCode {
  std::uint8_t Usage;  // USB HID keyboard usage
  std::uint8_t Dik;    // DirectInput key code
  const char* Name;    // the browser's KeyboardEvent.code
};

constexpr TKeyCode KeyCodes[] = {
    {0x29, 0x01, "Escape"}, {0x1E, 0x02, "Digit1"}, {0x1F, 0x03, "Digit2"}, {0x20, 0x04, "Digit3"},
    {0x21, 0x05, "Digit4"}, {0x22, 0x06, "Digit5"}, {0x23, 0x07, "Digit6"}, {0x24, 0x08, "Digit7"},
    {0x25, 0x09, "Digit8"}, {0x26, 0x0A, "Digit9"}, {0x27, 0x0B, "Digit0"}, {0x2D, 0x0C, "Minus"},
    {0x2E, 0x0D, "Equal"}, {0x2A, 0x0E, "Backspace"}, {0x2B, 0x0F, "Tab"}, {0x14, 0x10, "KeyQ"},
    {0x1A, 0x11, "KeyW"}, {0x08, 0x12, "KeyE"}, {0x15, 0x13, "KeyR"}, {0x17, 0x14, "KeyT"},
    {0x1C, 0x15, "KeyY"}, {0x18, 0x16, "KeyU"}, {0x0C, 0x17, "KeyI"}, {0x12, 0x18, "KeyO"},
    {0x13, 0x19, "KeyP"}, {0x2F, 0x1A, "BracketLeft"}, {0x30, 0x1B, "BracketRight"}, {0x28, 0x1C, "Enter"},
    {0xE0, 0x1D, "ControlLeft"}, {0x04, 0x1E, "KeyA"}, {0x16, 0x1F, "KeyS"}, {0x07, 0x20, "KeyD"},
    {0x09, 0x21, "KeyF"}, {0x0A, 0x22, "KeyG"}, {0x0B, 0x23, "KeyH"}, {0x0D, 0x24, "KeyJ"},
    {0x0E, 0x25, "KeyK"}, {0x0F, 0x26, "KeyL"}, {0x33, 0x27, "Semicolon"}, {0x34, 0x28, "Quote"},
    {0x35, 0x29, "Backquote"}, {0xE1, 0x2A, "ShiftLeft"}, {0x31, 0x2B, "Backslash"}, {0x1D, 0x2C, "KeyZ"},
    {0x1B, 0x2D, "KeyX"}, {0x06, 0x2E, "KeyC"}, {0x19, 0x2F, "KeyV"}, {0x05, 0x30, "KeyB"},
    {0x11, 0x31, "KeyN"}, {0x10, 0x32, "KeyM"}, {0x36, 0x33, "Comma"}, {0x37, 0x34, "Period"},
    {0x38, 0x35, "Slash"}, {0xE5, 0x36, "ShiftRight"}, {0x55, 0x37, "NumpadMultiply"}, {0xE2, 0x38, "AltLeft"},
    {0x2C, 0x39, "Space"}, {0x39, 0x3A, "CapsLock"}, {0x3A, 0x3B, "F1"}, {0x3B, 0x3C, "F2"}, {0x3C, 0x3D, "F3"},
    {0x3D, 0x3E, "F4"}, {0x3E, 0x3F, "F5"}, {0x3F, 0x40, "F6"}, {0x40, 0x41, "F7"}, {0x41, 0x42, "F8"},
    {0x42, 0x43, "F9"}, {0x43, 0x44, "F10"}, {0x53, 0x45, "NumLock"}, {0x47, 0x46, "ScrollLock"},
    {0x5F, 0x47, "Numpad7"}, {0x60, 0x48, "Numpad8"}, {0x61, 0x49, "Numpad9"}, {0x56, 0x4A, "NumpadSubtract"},
    {0x5C, 0x4B, "Numpad4"}, {0x5D, 0x4C, "Numpad5"}, {0x5E, 0x4D, "Numpad6"}, {0x57, 0x4E, "NumpadAdd"},
    {0x59, 0x4F, "Numpad1"}, {0x5A, 0x50, "Numpad2"}, {0x5B, 0x51, "Numpad3"}, {0x62, 0x52, "Numpad0"},
    {0x63, 0x53, "NumpadDecimal"}, {0x64, 0x56, "IntlBackslash"}, {0x44, 0x57, "F11"}, {0x45, 0x58, "F12"},
    {0x58, 0x9C, "NumpadEnter"}, {0xE4, 0x9D, "ControlRight"}, {0x54, 0xB5, "NumpadDivide"},
    {0x46, 0xB7, "PrintScreen"}, {0xE6, 0xB8, "AltRight"}, {0x48, 0xC5, "Pause"}, {0x4A, 0xC7, "Home"},
    {0x52, 0xC8, "ArrowUp"}, {0x4B, 0xC9, "PageUp"}, {0x50, 0xCB, "ArrowLeft"}, {0x4F, 0xCD, "ArrowRight"},
    {0x4D, 0xCF, "End"}, {0x51, 0xD0, "ArrowDown"}, {0x4E, 0xD1, "PageDown"}, {0x49, 0xD2, "Insert"},
    {0x4C, 0xD3, "Delete"}, {0xE3, 0xDB, "MetaLeft"}, {0xE7, 0xDC, "MetaRight"}, {0x65, 0xDD, "ContextMenu"},
};

struct TErrorText {
  std::uint32_t Code;
  const char* Text;
};

// DirectInput's documented descriptions of its result codes.
constexpr TErrorText ErrorTexts[] = {
    {0x00000000, "The operation completed successfully."},
    {0x00000001,
     "\"The operation had no effect. This value is equal to the S_FALSE standard COM return value.\" or "
     "\"The device buffer overflowed and some input was lost. This value is equal to the S_FALSE standard "
     "COM return value.\" or \"The device exists but is not currently attached. This value is equal to the "
     "S_FALSE standard COM return value.\" or \"The change in device properties had no effect. This value "
     "is equal to the S_FALSE standard COM return value.\""},
    {0x00000002,
     "The device is a polled device. As a result, device buffering will not collect any data and event "
     "notifications will not be signaled until GetDeviceState is called."},
    {0x00000003,
     "The parameters of the effect were successfully updated, but the effect could not be downloaded "
     "because the associated device was not acquired in exclusive mode."},
    {0x00000004, "The effect was stopped, the parameters were updated, and the effect was restarted."},
    {0x00000008,
     "The parameters of the effect were successfully updated, but some of them were beyond the "
     "capabilities of the device and were truncated."},
    {0x0000000B, "The action map was applied to the device, but the settings could not be saved."},
    {0x0000000C, "Equal to DI_EFFECTRESTARTED | DI_TRUNCATED."},
    {0x80004001,
     "The function called is not supported at this time. This value is equal to the E_NOTIMPL standard "
     "COM return value."},
    {0x80004002,
     "The object does not support the specified interface. This value is equal to the E_NOINTERFACE "
     "standard COM return value."},
    {0x80004003, "An invalid pointer, usually NULL, was passed as a parameter."},
    {0x80004005,
     "An undetermined error occurred inside the DirectInput subsystem. This value is equal to the E_FAIL "
     "standard COM return value."},
    {0x80040110, "The object does not support aggregation."},
    {0x80040154,
     "The device or device instance is not registered with DirectInput. This value is equal to the "
     "REGDB_E_CLASSNOTREG standard COM return value."},
    {0x80040201, "The device is full."},
    {0x80040202, "Not all the requested information fit into the buffer."},
    {0x80040203, "The effect is not downloaded."},
    {0x80040204, "The device cannot be reinitialized because effects are attached to it."},
    {0x80040205, "The operation cannot be performed unless the device is acquired in DISCL_EXCLUSIVE mode."},
    {0x80040206,
     "The effect could not be downloaded because essential information is missing. For example, no axes "
     "have been associated with the effect, or no type-specific information has been supplied."},
    {0x80040207, "The device is not buffered. Set the DIPROP_BUFFERSIZE property to enable buffering."},
    {0x80040208,
     "The parameters were updated in memory but were not downloaded to the device because the device does "
     "not support updating an effect while it is still playing."},
    {0x80040209, "The operation could not be completed because the device is not plugged in."},
    {0x8004020A, "More information was requested to be sent than can be sent to the device."},
    {0x8004020B,
     "An error has occurred either reading the vendor-supplied action-mapping file for the device or "
     "reading or writing the user configuration mapping file for the device."},
    {0x800405CC, "No more memory for effects of this kind (not documented)"},
    {0x80070002, "The requested object does not exist."},
    {0x80070005,
     "\"Another application has a higher priority level, preventing this call from succeeding. This value "
     "is equal to the E_ACCESSDENIED standard COM return value. This error can be returned when an "
     "application has only foreground access to a device but is attempting to acquire the device while in "
     "the background.\" or \"The specified property cannot be changed. This value is equal to the "
     "E_ACCESSDENIED standard COM return value.\" or \"The device already has an event notification "
     "associated with it. This value is equal to the E_ACCESSDENIED standard COM return value.\""},
    {0x80070006, "The handle is invalid."},
    {0x80070007, "The storage control blocks were destroyed."},
    {0x8007000C, "The operation cannot be performed unless the device is acquired."},
    {0x8007000E,
     "The DirectInput subsystem couldn't allocate sufficient memory to complete the call. This value is "
     "equal to the E_OUTOFMEMORY standard COM return value."},
    {0x80070015, "This object has not been initialized."},
    {0x8007001E, "Access to the input device has been lost. It must be reacquired."},
    {0x80070057,
     "An invalid parameter was passed to the returning function, or the object was not in a state that "
     "permitted the function to be called. This value is equal to the E_INVALIDARG standard COM return "
     "value."},
    {0x80070077,
     "The object could not be created due to an incompatible driver version or mismatched or incomplete "
     "driver components."},
    {0x800700AA, "The operation cannot be performed while the device is acquired."},
    {0x8007047E, "The application requires a newer version of DirectInput."},
    {0x80070481, "The application was written for an unsupported prerelease version of DirectInput."},
    {0x800704DF, "This object is already initialized."},
};
static_assert(std::size(ErrorTexts) == 40);
}  // namespace

std::string DirectInputErrorText(std::int32_t code) {
  for (const TErrorText& e : ErrorTexts)
    if (e.Code == static_cast<std::uint32_t>(code)) return e.Text;
  return {};
}

void TranslateKeyState(const std::uint8_t* usageState, int count, std::uint8_t keys[256]) {
  for (int i = 0; i < 256; ++i) keys[i] = 0;
  for (const TKeyCode& k : KeyCodes)
    if (k.Usage < count && usageState[k.Usage]) keys[k.Dik] = 0x80;
}

void NoteKeyPress(TKeyTaps& taps, int usage) {
  if (usage >= 0 && usage < 256) taps.Pressed[usage] = 1;
}

void ReadKeys(TKeyTaps& taps, const std::uint8_t* held, int count, std::uint8_t keys[256]) {
  std::uint8_t state[256];
  for (int i = 0; i < 256; ++i) state[i] = taps.Pressed[i] | (i < count && held[i] ? 1 : 0);
  for (std::uint8_t& p : taps.Pressed) p = 0;
  TranslateKeyState(state, 256, keys);
}

int KeyUsageNamed(const char* name) {
  for (const TKeyCode& k : KeyCodes)
    if (std::strcmp(k.Name, name) == 0) return k.Usage;
  return -1;
}
