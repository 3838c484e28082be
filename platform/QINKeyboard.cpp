// QINKeyboard: SDL keyboard state behind the DirectInput-style interface.
#include "platform/QINKeyboard.h"

#include <SDL2/SDL.h>

#include <memory>
#include <utility>

#include "platform/Message.h"

namespace {
std::unique_ptr<TQINKeyboardDevice> Keyboard;

// Result code reported when SDL's event system does not start.
constexpr std::int32_t DIERR_GENERIC = static_cast<std::int32_t>(0x80004005u);

// SDL scancode -> DirectInput key code.
constexpr std::pair<SDL_Scancode, std::uint8_t> KeyMap[] = {
    {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_1, 0x02}, {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04}, {SDL_SCANCODE_4, 0x05}, {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07}, {SDL_SCANCODE_7, 0x08}, {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A}, {SDL_SCANCODE_0, 0x0B}, {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_W, 0x11}, {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13}, {SDL_SCANCODE_T, 0x14}, {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16}, {SDL_SCANCODE_I, 0x17}, {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19}, {SDL_SCANCODE_LEFTBRACKET, 0x1A}, {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_LCTRL, 0x1D}, {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F}, {SDL_SCANCODE_D, 0x20}, {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22}, {SDL_SCANCODE_H, 0x23}, {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25}, {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28}, {SDL_SCANCODE_GRAVE, 0x29}, {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B}, {SDL_SCANCODE_Z, 0x2C}, {SDL_SCANCODE_X, 0x2D},
    {SDL_SCANCODE_C, 0x2E}, {SDL_SCANCODE_V, 0x2F}, {SDL_SCANCODE_B, 0x30},
    {SDL_SCANCODE_N, 0x31}, {SDL_SCANCODE_M, 0x32}, {SDL_SCANCODE_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, 0x34}, {SDL_SCANCODE_SLASH, 0x35}, {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38}, {SDL_SCANCODE_SPACE, 0x39},
    {SDL_SCANCODE_CAPSLOCK, 0x3A}, {SDL_SCANCODE_F1, 0x3B}, {SDL_SCANCODE_F2, 0x3C},
    {SDL_SCANCODE_F3, 0x3D}, {SDL_SCANCODE_F4, 0x3E}, {SDL_SCANCODE_F5, 0x3F},
    {SDL_SCANCODE_F6, 0x40}, {SDL_SCANCODE_F7, 0x41}, {SDL_SCANCODE_F8, 0x42},
    {SDL_SCANCODE_F9, 0x43}, {SDL_SCANCODE_F10, 0x44}, {SDL_SCANCODE_NUMLOCKCLEAR, 0x45},
    {SDL_SCANCODE_SCROLLLOCK, 0x46}, {SDL_SCANCODE_KP_7, 0x47}, {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49}, {SDL_SCANCODE_KP_MINUS, 0x4A}, {SDL_SCANCODE_KP_4, 0x4B},
    {SDL_SCANCODE_KP_5, 0x4C}, {SDL_SCANCODE_KP_6, 0x4D}, {SDL_SCANCODE_KP_PLUS, 0x4E},
    {SDL_SCANCODE_KP_1, 0x4F}, {SDL_SCANCODE_KP_2, 0x50}, {SDL_SCANCODE_KP_3, 0x51},
    {SDL_SCANCODE_KP_0, 0x52}, {SDL_SCANCODE_KP_PERIOD, 0x53}, {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
    {SDL_SCANCODE_F11, 0x57}, {SDL_SCANCODE_F12, 0x58}, {SDL_SCANCODE_KP_ENTER, 0x9C},
    {SDL_SCANCODE_RCTRL, 0x9D}, {SDL_SCANCODE_KP_DIVIDE, 0xB5}, {SDL_SCANCODE_PRINTSCREEN, 0xB7},
    {SDL_SCANCODE_RALT, 0xB8}, {SDL_SCANCODE_PAUSE, 0xC5}, {SDL_SCANCODE_HOME, 0xC7},
    {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_PAGEUP, 0xC9}, {SDL_SCANCODE_LEFT, 0xCB},
    {SDL_SCANCODE_RIGHT, 0xCD}, {SDL_SCANCODE_END, 0xCF}, {SDL_SCANCODE_DOWN, 0xD0},
    {SDL_SCANCODE_PAGEDOWN, 0xD1}, {SDL_SCANCODE_INSERT, 0xD2}, {SDL_SCANCODE_DELETE, 0xD3},
    {SDL_SCANCODE_LGUI, 0xDB}, {SDL_SCANCODE_RGUI, 0xDC}, {SDL_SCANCODE_APPLICATION, 0xDD},
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

void TranslateKeyState(const std::uint8_t* scancodeState, int count, std::uint8_t keys[256]) {
  for (int i = 0; i < 256; ++i) keys[i] = 0;
  for (const auto& [scancode, dik] : KeyMap)
    if (scancode < count && scancodeState[scancode]) keys[dik] = 0x80;
}

void CreateKeyboard(const TWindowRec& /*window*/, bool /*exclusive*/) {
  // SDL gives focus-bound, shared access whatever is asked for.
  Keyboard = std::make_unique<TQINKeyboardDevice>();
  Keyboard->LastResult = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0 ? 0 : DIERR_GENERIC;
  if (Keyboard->LastResult != 0)
    ShowMessage("", DirectInputErrorText(Keyboard->LastResult), TMessageIcon::Information);
  // On failure the demo runs on with no key ever down.
}

std::int32_t UpdateKeyboard() {
  if (!Keyboard) return DIERR_GENERIC;
  if (Keyboard->LastResult != 0) return Keyboard->LastResult;
  SDL_PumpEvents();
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  TranslateKeyState(state, count, Keyboard->Keys);
  return 0;
}

bool KeyDown(std::uint8_t code) { return Keyboard && Keyboard->Keys[code] >= 0x80; }

void FreeKeyboard() {
  if (Keyboard && Keyboard->LastResult == 0) SDL_QuitSubSystem(SDL_INIT_EVENTS);
  Keyboard.reset();
}

const TQINKeyboardDevice* KeyboardDevice() { return Keyboard.get(); }
