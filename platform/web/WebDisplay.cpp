// WebDisplay: the page's canvas as the demo's window, a WebGL 2 context on
// it with the GL 1.x layer (platform/web/gl) over that context, and frame
// presentation. The canvas's backing store follows its CSS size times the
// device pixel ratio; the frame is always drawn offscreen (WebFrameTarget)
// and blitted into it letterboxed, so resizing the page or going fullscreen
// never touches the frame. The browser composites after each animation
// frame: there is nothing to swap and no pacing of our own.
// Mechanism: emscripten's html5.h (canvas size, WebGL contexts) and EM_JS for
// the unmasked renderer name (WEBGL_debug_renderer_info).
#include "platform/Display.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/FrameTarget.h"
#include "platform/Message.h"
#include "platform/SoftwareRenderer.h"
#include "platform/web/gl/Layer.h"

namespace {
constexpr const char* Canvas = "#canvas";

struct TCanvas {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE Context = 0;
  int Width = 0, Height = 0;  // the backing store
  int FrameWidth = 0, FrameHeight = 0;
  bool QuitRequested = false;
};
TCanvas Page;

// The renderer WebGL names itself after ("WebKit WebGL" says nothing): the
// real one where the browser tells it.
EM_JS(char*, web_renderer_name, (), {
  const gl = GL.currentContext && GL.currentContext.GLctx;
  if (!gl) return 0;
  const info = gl.getExtension("WEBGL_debug_renderer_info");
  const name = String(gl.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : gl.RENDERER) || "");
  const size = lengthBytesUTF8(name) + 1;
  const text = _malloc(size);
  stringToUTF8(name, text, size);
  return text;
});

// The canvas's CSS pixels times the device's ratio, at least 1 x 1.
void WantedCanvasSize(int& width, int& height) {
  double cssWidth = 0, cssHeight = 0;
  emscripten_get_element_css_size(Canvas, &cssWidth, &cssHeight);
  const double ratio = emscripten_get_device_pixel_ratio();
  width = cssWidth * ratio >= 1 ? static_cast<int>(std::lround(cssWidth * ratio)) : 1;
  height = cssHeight * ratio >= 1 ? static_cast<int>(std::lround(cssHeight * ratio)) : 1;
}

void FollowCanvasSize() {
  int width = 0, height = 0;
  WantedCanvasSize(width, height);
  if (width == Page.Width && height == Page.Height) return;
  emscripten_set_canvas_element_size(Canvas, width, height);
  Page.Width = width;
  Page.Height = height;
}
}  // namespace

// The pixel format is the context's: RGBA 8-8-8-8 frame, 24-bit depth and
// 8-bit stencil in the offscreen target whatever is asked.
bool DisplayInit(int /*colourBits*/) { return true; }

bool DisplayCreateWindow(TDisplayWindow& w, const char* /*title*/, int /*width*/, int /*height*/,
                         bool /*fullscreen*/) {
  // The page goes fullscreen on request (its button or F), never by itself.
  Page = TCanvas{};
  FollowCanvasSize();
  w.Window = &Page;
  return true;
}

bool DisplayCreateContext(TDisplayWindow& w) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  // The canvas only receives the finished frame: the depth, stencil and alpha
  // the engine draws with are the offscreen target's.
  attributes.alpha = EM_FALSE;
  attributes.depth = EM_FALSE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  attributes.preserveDrawingBuffer = EM_FALSE;
  attributes.powerPreference = EM_WEBGL_POWER_PREFERENCE_HIGH_PERFORMANCE;
  Page.Context = emscripten_webgl_create_context(Canvas, &attributes);
  if (Page.Context <= 0) {
    Page.Context = 0;
    ShowMessage("Error", "This browser offers no WebGL 2, which the demo draws with.", TMessageIcon::Error);
    return false;
  }
  w.Context = &Page;
  return true;
}

bool DisplayMakeCurrent(TDisplayWindow& /*w*/) {
  if (emscripten_webgl_make_context_current(Page.Context) != EMSCRIPTEN_RESULT_SUCCESS) return false;
  std::string error;
  if (gl1::Init(emscripten_webgl_get_proc_address, &error)) return true;
  ShowMessage("Error", "WebGL 2 lacks what the demo needs: " + error, TMessageIcon::Error);
  return false;
}

void DisplayShow(TDisplayWindow& /*w*/, bool /*hideCursor*/) {}

bool DisplayReleaseCurrent(TDisplayWindow& w) {
  if (!w.Window || !Page.Context) return true;
  gl1::Shutdown();
  return emscripten_webgl_make_context_current(0) == EMSCRIPTEN_RESULT_SUCCESS;
}

void DisplayDeleteContext(TDisplayWindow& w) {
  // A canvas keeps its one WebGL context for good, and a later run gets it
  // back: the target's objects are deleted in it first.
  if (Page.Context) emscripten_webgl_make_context_current(Page.Context);
  FrameTargetForget();
  if (Page.Context) emscripten_webgl_destroy_context(Page.Context);
  Page.Context = 0;
  w.Context = nullptr;
}

void DisplayDestroyWindow(TDisplayWindow& w) { w.Window = nullptr; }

void DisplayQuit() {}

void DisplaySetSamples(int samples) { FrameTargetSetSamples(samples); }
int DisplayFrameSamples() { return FrameTargetSamples(); }
void DisplayResolveFrame(int x, int y, int width, int height) { FrameTargetResolve(x, y, width, height); }

bool DisplayRendersInSoftware() {
  char* name = web_renderer_name();
  const bool software = IsSoftwareRenderer(name);
  std::free(name);
  return software;
}

void DisplayNativeSize(TDisplayWindow& w, bool /*fullscreen*/, int& width, int& height) {
  width = height = 0;
  if (!w.Window) return;
  FollowCanvasSize();
  width = Page.Width;
  height = Page.Height;
}

void DisplayKeepDesktopMode(TDisplayWindow& /*w*/) {}

void DisplayBindFrame(TDisplayWindow& w, int frameWidth, int frameHeight) {
  if (!w.Window || !w.Context) return;
  Page.FrameWidth = frameWidth;
  Page.FrameHeight = frameHeight;
  FollowCanvasSize();
  FrameTargetBind(frameWidth, frameHeight, Page.Width, Page.Height);
}

// Keys come to WebKeyboard as the page's events; the only other event is a
// request to stop.
bool DisplayPumpEvents() {
  const bool quit = Page.QuitRequested;
  Page.QuitRequested = false;
  return quit;
}

void DisplayComposite() {
  FrameTargetPresent();
  gl1::RestoreGlesState();
}

void DisplayPresent(TDisplayWindow& w) {
  if (!w.Window || !w.Context) return;
  DisplayComposite();
  DisplayBindFrame(w, Page.FrameWidth, Page.FrameHeight);
}

// requestAnimationFrame paces every frame to the screen.
void DisplaySetPacing(bool /*paced*/) {}

// The canvas's size is the page's to choose.
void DisplaySetWindowSize(int /*width*/, int /*height*/) {}

// Nothing draws over the frame in the page.
void DisplaySetOverlayHooks(void (*)(const void*), void (*)()) {}

// The page's frame is always drawn offscreen.
void DisplayForceOffscreen(bool) {}

void DisplayRequestQuit() { Page.QuitRequested = true; }
