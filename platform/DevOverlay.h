// DevOverlay: Dear ImGui drawn over the demo's window at the window's own
// resolution, after the frame is composited and before the swap, so the
// frame itself (screenshots, captures) never holds it; and the keys of the
// development mode as plain codes.
// Mechanism: ImGui's SDL2 and OpenGL2 backends on the display's hooks.
// Needs: platform/Display (an open window and its current GL context).
#pragma once
#include <vector>

enum class TDevKey {
  F1, F12, Space, Left, Right, Up, Down, PageUp, PageDown, Home, L, Period, C, S, T, Z, Digit1, Digit2, Digit3, Digit4
};

struct TDevKeyPress {
  TDevKey Key;
  bool Ctrl = false, Shift = false;
};

// `window` and `glContext` as TWindowRec holds them (Handle, RC). False when
// ImGui's backends could not start.
bool DevOverlayStart(void* window, void* glContext);
void DevOverlayStop();
// The development mode's keys pressed since the last call, in order, but
// those typed into the panel's fields. Held keys repeat for the arrows and
// the frame step only.
std::vector<TDevKeyPress> DevOverlayTakeKeys();
// Between these two go the panel's ImGui calls; what they build is drawn
// at the next present. Without them the next present draws nothing over.
void DevOverlayBeginFrame();
void DevOverlayEndFrame();
