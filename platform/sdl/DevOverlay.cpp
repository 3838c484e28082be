// DevOverlay: ImGui's backends fed from the display's event pump and drawn
// from its present.
#include "platform/DevOverlay.h"

#include <SDL2/SDL.h>
#include <imgui.h>
#include <imgui_impl_opengl2.h>
#include <imgui_impl_sdl.h>

#include <cfloat>

#include "platform/Display.h"

namespace {
bool Started = false;
bool FrameReady = false;  // draw data waits for the next present
std::vector<TDevKeyPress> Pressed;

bool KeyOf(SDL_Keycode code, TDevKey& key) {
  switch (code) {
    case SDLK_F1: key = TDevKey::F1; return true;
    case SDLK_F12: key = TDevKey::F12; return true;
    case SDLK_SPACE: key = TDevKey::Space; return true;
    case SDLK_LEFT: key = TDevKey::Left; return true;
    case SDLK_RIGHT: key = TDevKey::Right; return true;
    case SDLK_UP: key = TDevKey::Up; return true;
    case SDLK_DOWN: key = TDevKey::Down; return true;
    case SDLK_c: key = TDevKey::C; return true;
    case SDLK_s: key = TDevKey::S; return true;
    case SDLK_t: key = TDevKey::T; return true;
    case SDLK_z: key = TDevKey::Z; return true;
    case SDLK_PAGEUP: key = TDevKey::PageUp; return true;
    case SDLK_PAGEDOWN: key = TDevKey::PageDown; return true;
    case SDLK_HOME: key = TDevKey::Home; return true;
    case SDLK_l: key = TDevKey::L; return true;
    case SDLK_PERIOD: key = TDevKey::Period; return true;
    case SDLK_1: case SDLK_KP_1: key = TDevKey::Digit1; return true;
    case SDLK_2: case SDLK_KP_2: key = TDevKey::Digit2; return true;
    case SDLK_3: case SDLK_KP_3: key = TDevKey::Digit3; return true;
    case SDLK_4: case SDLK_KP_4: key = TDevKey::Digit4; return true;
    default: return false;
  }
}

void OnEvent(const void* event) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(event);
  ImGui_ImplSDL2_ProcessEvent(&e);
  if (e.type != SDL_KEYDOWN || ImGui::GetIO().WantTextInput) return;
  TDevKey key;
  if (!KeyOf(e.key.keysym.sym, key)) return;
  const bool repeats = key == TDevKey::Left || key == TDevKey::Right || key == TDevKey::Period;
  if (e.key.repeat && !repeats) return;
  const Uint16 mod = e.key.keysym.mod;
  Pressed.push_back({key, (mod & KMOD_CTRL) != 0, (mod & KMOD_SHIFT) != 0});
}

void DrawOver() {
  if (!FrameReady) return;
  FrameReady = false;
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}
}  // namespace

bool DevOverlayStart(void* window, void* glContext) {
  if (Started) return true;
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGui::GetIO().IniFilename = nullptr;  // the working directory is the media's
  ImGui::StyleColorsDark();
  if (!ImGui_ImplSDL2_InitForOpenGL(static_cast<SDL_Window*>(window), glContext)) {
    ImGui::DestroyContext();
    return false;
  }
  if (!ImGui_ImplOpenGL2_Init()) {
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    return false;
  }
  Started = true;
  DisplaySetOverlayHooks(OnEvent, DrawOver);
  return true;
}

void DevOverlayStop() {
  if (!Started) return;
  DisplaySetOverlayHooks(nullptr, nullptr);
  ImGui_ImplOpenGL2_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
  Started = false;
  FrameReady = false;
  Pressed.clear();
}

std::vector<TDevKeyPress> DevOverlayTakeKeys() {
  std::vector<TDevKeyPress> keys;
  keys.swap(Pressed);
  return keys;
}

void DevOverlayBeginFrame() {
  ImGui_ImplOpenGL2_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  // While a button is held ImGui's backend reads SDL's global pointer,
  // which SDL's X11 keeps current only from raw input events (none come
  // from XTest, as under Xvfb): the window's own pointer always is.
  ImGuiIO& io = ImGui::GetIO();
  if (io.MousePos.x > -FLT_MAX && ImGui::IsAnyMouseDown()) {
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
  }
  ImGui::NewFrame();
}

void DevOverlayEndFrame() {
  ImGui::Render();
  FrameReady = true;
}
