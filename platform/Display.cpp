// Display: SDL2 window and GL context; letterboxed presentation through an
// offscreen framebuffer when the drawable is not the frame's size.
#include "platform/Display.h"

#include <SDL2/SDL.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
// The frame target, when the drawable is not the frame's size.
struct TFrameTarget {
  GLuint Framebuffer = 0, Colour = 0, DepthStencil = 0;
  int StorageWidth = 0, StorageHeight = 0;  // size of the renderbuffers
  int Width = 0, Height = 0;                // the fixed frame
  int DrawWidth = 0, DrawHeight = 0;        // the window's drawable
  bool Scaled = false;                      // drawing goes to Framebuffer
};
TFrameTarget Target;

PFNGLGENFRAMEBUFFERSPROC GenFramebuffers;
PFNGLBINDFRAMEBUFFERPROC BindFramebuffer;
PFNGLGENRENDERBUFFERSPROC GenRenderbuffers;
PFNGLBINDRENDERBUFFERPROC BindRenderbuffer;
PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage;
PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer;
PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer;
PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus;

template <class T>
bool Load(T& fn, const char* name) {
  fn = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
  return fn != nullptr;
}

bool LoadFramebufferEntryPoints() {
  return Load(GenFramebuffers, "glGenFramebuffers") && Load(BindFramebuffer, "glBindFramebuffer") &&
         Load(GenRenderbuffers, "glGenRenderbuffers") && Load(BindRenderbuffer, "glBindRenderbuffer") &&
         Load(RenderbufferStorage, "glRenderbufferStorage") &&
         Load(FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         Load(BlitFramebuffer, "glBlitFramebuffer") &&
         Load(CheckFramebufferStatus, "glCheckFramebufferStatus");
}

bool CreateFrameTarget(int width, int height) {
  if (!Target.Framebuffer && !LoadFramebufferEntryPoints()) return false;
  if (!Target.Framebuffer) {
    GenFramebuffers(1, &Target.Framebuffer);
    GenRenderbuffers(1, &Target.Colour);
    GenRenderbuffers(1, &Target.DepthStencil);
  }
  BindRenderbuffer(GL_RENDERBUFFER, Target.Colour);
  RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  BindRenderbuffer(GL_RENDERBUFFER, Target.DepthStencil);
  RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  BindRenderbuffer(GL_RENDERBUFFER, 0);
  BindFramebuffer(GL_FRAMEBUFFER, Target.Framebuffer);
  FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Target.Colour);
  FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, Target.DepthStencil);
  Target.StorageWidth = width;
  Target.StorageHeight = height;
  return CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// The largest rectangle of the frame's shape centred in the drawable.
void Letterbox(int& x, int& y, int& w, int& h) {
  const long long fw = Target.Width, fh = Target.Height, dw = Target.DrawWidth, dh = Target.DrawHeight;
  if (dw * fh > dh * fw) {  // drawable wider than the frame
    h = static_cast<int>(dh);
    w = static_cast<int>(dh * fw / fh);
  } else {
    w = static_cast<int>(dw);
    h = static_cast<int>(dw * fh / fw);
  }
  x = (static_cast<int>(dw) - w) / 2;
  y = (static_cast<int>(dh) - h) / 2;
}
// SDL unloads the GL driver with the last GL window. What Mesa's vendor
// library and DRI driver hold for the whole process would then be lost
// rather than freed (and reported by leak checkers), and the next window
// would load the driver again: once loaded, it stays for the process.
void KeepGLDriverLoaded() {
  std::vector<std::string> driver;
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* out) {
        const char* name = info->dlpi_name;
        if (name && (std::strstr(name, "_mesa.so") || std::strstr(name, "_dri.so")))
          static_cast<std::vector<std::string>*>(out)->push_back(name);
        return 0;
      },
      &driver);
  // Outside the iteration, which holds the loader's lock.
  for (const std::string& name : driver) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
}  // namespace

bool DisplayInit(int colourBits) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  const int channel = colourBits >= 24 ? 8 : 5;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, colourBits >= 32 ? 8 : 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  return true;
}

bool DisplayCreateWindow(TDisplayWindow& w, const char* title, int width, int height, bool fullscreen) {
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window* window = SDL_CreateWindow(title, 0, 0, width, height, flags);
  if (!window) return false;
  if (fullscreen) {
    SDL_DisplayMode want{}, got{};
    want.w = width;
    want.h = height;
    if (SDL_GetClosestDisplayMode(SDL_GetWindowDisplayIndex(window), &want, &got))
      SDL_SetWindowDisplayMode(window, &got);
  } else {
    SDL_SetWindowResizable(window, SDL_TRUE);
  }
  w.Window = window;
  return true;
}

bool DisplayCreateContext(TDisplayWindow& w) {
  w.Context = SDL_GL_CreateContext(static_cast<SDL_Window*>(w.Window));
  if (w.Context) KeepGLDriverLoaded();
  return w.Context != nullptr;
}

bool DisplayMakeCurrent(TDisplayWindow& w) {
  return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(w.Window), w.Context) == 0;
}

void DisplayShow(TDisplayWindow& w, bool hideCursor) {
  SDL_Window* window = static_cast<SDL_Window*>(w.Window);
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  if (hideCursor) SDL_ShowCursor(SDL_DISABLE);
}

bool DisplayReleaseCurrent(TDisplayWindow& w) {
  if (!w.Window) return true;
  return SDL_GL_MakeCurrent(static_cast<SDL_Window*>(w.Window), nullptr) == 0;
}

void DisplayDeleteContext(TDisplayWindow& w) {
  if (w.Context) SDL_GL_DeleteContext(w.Context);
  w.Context = nullptr;
  Target = TFrameTarget{};
}

void DisplayDestroyWindow(TDisplayWindow& w) {
  if (w.Window) SDL_DestroyWindow(static_cast<SDL_Window*>(w.Window));
  w.Window = nullptr;
  SDL_ShowCursor(SDL_ENABLE);
}

void DisplayQuit() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

void DisplayBindFrame(TDisplayWindow& w, int frameWidth, int frameHeight) {
  if (!w.Window || !w.Context) return;
  Target.Width = frameWidth;
  Target.Height = frameHeight;
  SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(w.Window), &Target.DrawWidth, &Target.DrawHeight);
  bool scaled = Target.DrawWidth != frameWidth || Target.DrawHeight != frameHeight;
  if (scaled && (Target.StorageWidth != frameWidth || Target.StorageHeight != frameHeight))
    scaled = CreateFrameTarget(frameWidth, frameHeight);  // without FBOs: unscaled
  if (Target.Framebuffer) BindFramebuffer(GL_FRAMEBUFFER, scaled ? Target.Framebuffer : 0);
  Target.Scaled = scaled;
}

bool DisplayPumpEvents() {
  bool quit = false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (e.type == SDL_QUIT) quit = true;
  }
  return quit;
}

void DisplayComposite() {
  if (!Target.Scaled) return;
  int x, y, bw, bh;
  Letterbox(x, y, bw, bh);
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  if (scissor) glDisable(GL_SCISSOR_TEST);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Framebuffer);
  BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glViewport(0, 0, Target.DrawWidth, Target.DrawHeight);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
  BlitFramebuffer(0, 0, Target.Width, Target.Height, x, y, x + bw, y + bh, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  BindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

void DisplayPresent(TDisplayWindow& w) {
  SDL_Window* window = static_cast<SDL_Window*>(w.Window);
  if (!window) return;
  DisplayComposite();
  SDL_GL_SwapWindow(window);
  DisplayBindFrame(w, Target.Width, Target.Height);
}

void DisplayRequestQuit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}
