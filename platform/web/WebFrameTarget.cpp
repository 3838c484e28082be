// WebFrameTarget: platform/FrameTarget.h in a browser. The frame is always
// drawn offscreen, whatever the canvas's size, so the canvas needs neither
// alpha nor depth and a resize never reaches the frame; presenting clears
// the bars black and blits the frame into the box between them (a scaled
// blit costs SwiftShader no more than a quad would).
// Mechanism: WebGL 2 framebuffer objects with renderbuffers (colour RGBA8,
// depth 24 / stencil 8), a multisampled pair resolved by a blit; the ES
// calls go through emscripten_webgl_get_proc_address, as the GL layer's do,
// never through the GL names the layer itself defines.
#include "platform/FrameTarget.h"

#include <GLES3/gl3.h>
#include <emscripten/html5_webgl.h>

namespace {
struct TEs {
  decltype(&glGenFramebuffers) GenFramebuffers;
  decltype(&glDeleteFramebuffers) DeleteFramebuffers;
  decltype(&glBindFramebuffer) BindFramebuffer;
  decltype(&glGenRenderbuffers) GenRenderbuffers;
  decltype(&glDeleteRenderbuffers) DeleteRenderbuffers;
  decltype(&glBindRenderbuffer) BindRenderbuffer;
  decltype(&glRenderbufferStorage) RenderbufferStorage;
  decltype(&glRenderbufferStorageMultisample) RenderbufferStorageMultisample;
  decltype(&glGetRenderbufferParameteriv) GetRenderbufferParameteriv;
  decltype(&glFramebufferRenderbuffer) FramebufferRenderbuffer;
  decltype(&glCheckFramebufferStatus) CheckFramebufferStatus;
  decltype(&glBlitFramebuffer) BlitFramebuffer;
  decltype(&glGetIntegerv) GetIntegerv;
  decltype(&glViewport) Viewport;
  decltype(&glEnable) Enable;
  decltype(&glDisable) Disable;
  decltype(&glScissor) Scissor;
  decltype(&glClearColor) ClearColor;
  decltype(&glClear) Clear;
};

template <class T>
bool Load(T& fn, const char* name) {
  fn = reinterpret_cast<T>(emscripten_webgl_get_proc_address(name));
  return fn != nullptr;
}

bool LoadEs(TEs& es) {
  return Load(es.GenFramebuffers, "glGenFramebuffers") && Load(es.DeleteFramebuffers, "glDeleteFramebuffers") &&
         Load(es.BindFramebuffer, "glBindFramebuffer") && Load(es.GenRenderbuffers, "glGenRenderbuffers") &&
         Load(es.DeleteRenderbuffers, "glDeleteRenderbuffers") && Load(es.BindRenderbuffer, "glBindRenderbuffer") &&
         Load(es.RenderbufferStorage, "glRenderbufferStorage") &&
         Load(es.RenderbufferStorageMultisample, "glRenderbufferStorageMultisample") &&
         Load(es.GetRenderbufferParameteriv, "glGetRenderbufferParameteriv") &&
         Load(es.FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         Load(es.CheckFramebufferStatus, "glCheckFramebufferStatus") && Load(es.BlitFramebuffer, "glBlitFramebuffer") &&
         Load(es.GetIntegerv, "glGetIntegerv") && Load(es.Viewport, "glViewport") && Load(es.Enable, "glEnable") &&
         Load(es.Disable, "glDisable") && Load(es.Scissor, "glScissor") && Load(es.ClearColor, "glClearColor") &&
         Load(es.Clear, "glClear");
}

// A framebuffer with a colour and a depth-stencil renderbuffer.
struct TBuffers {
  GLuint Framebuffer = 0, Colour = 0, DepthStencil = 0;
};

struct TTarget {
  TEs Es{};
  bool Loaded = false;
  TBuffers Frame, Multisampled;  // Multisampled is resolved into Frame
  int Samples = 0;               // of Multisampled; 0: none
  int StorageWidth = 0, StorageHeight = 0;
  int Width = 0, Height = 0, DrawWidth = 0, DrawHeight = 0;
  bool Offscreen = false;
};
TTarget Target;
int WantedSamples = 0;

// Storage for the buffers; `samples` 0 for a plain one. The samples given,
// or 0 when the framebuffer is incomplete.
int Allocate(TBuffers& b, int samples, int width, int height) {
  const TEs& es = Target.Es;
  if (!b.Framebuffer) {
    es.GenFramebuffers(1, &b.Framebuffer);
    es.GenRenderbuffers(1, &b.Colour);
    es.GenRenderbuffers(1, &b.DepthStencil);
  }
  GLint got = 0;
  es.BindRenderbuffer(GL_RENDERBUFFER, b.Colour);
  es.RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
  es.GetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &got);
  es.BindRenderbuffer(GL_RENDERBUFFER, b.DepthStencil);
  es.RenderbufferStorageMultisample(GL_RENDERBUFFER, got, GL_DEPTH24_STENCIL8, width, height);
  es.BindRenderbuffer(GL_RENDERBUFFER, 0);
  es.BindFramebuffer(GL_FRAMEBUFFER, b.Framebuffer);
  es.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, b.Colour);
  es.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, b.DepthStencil);
  return es.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE ? got : -1;
}

void Delete(TBuffers& b) {
  const TEs& es = Target.Es;
  if (!b.Framebuffer) return;
  es.DeleteFramebuffers(1, &b.Framebuffer);
  es.DeleteRenderbuffers(1, &b.Colour);
  es.DeleteRenderbuffers(1, &b.DepthStencil);
  b = TBuffers{};
}

bool CreateTarget(int width, int height) {
  if (!Target.Loaded && !(Target.Loaded = LoadEs(Target.Es))) return false;
  Target.StorageWidth = Target.StorageHeight = 0;
  if (Allocate(Target.Frame, 0, width, height) < 0) return false;
  Target.StorageWidth = width;
  Target.StorageHeight = height;
  GLint most = 0;
  if (WantedSamples > 1) Target.Es.GetIntegerv(GL_MAX_SAMPLES, &most);
  const int samples = WantedSamples < most ? WantedSamples : most;
  Target.Samples = 0;
  if (samples > 1) {
    const int got = Allocate(Target.Multisampled, samples, width, height);
    Target.Samples = got > 1 ? got : 0;
  }
  if (!Target.Samples) Delete(Target.Multisampled);
  return true;
}

void ClearBars(const TLetterbox& b) {
  const TEs& es = Target.Es;
  es.Enable(GL_SCISSOR_TEST);
  es.ClearColor(0, 0, 0, 1);
  for (const TLetterbox& r : LetterboxBars(b, Target.DrawWidth, Target.DrawHeight)) {
    if (r.Width <= 0 || r.Height <= 0) continue;
    es.Scissor(r.X, r.Y, r.Width, r.Height);
    es.Clear(GL_COLOR_BUFFER_BIT);
  }
  es.Disable(GL_SCISSOR_TEST);
}
}  // namespace

void FrameTargetKeepOffscreen(bool /*keep*/) {}  // always offscreen here

void FrameTargetSetSamples(int samples) { WantedSamples = samples; }

bool FrameTargetBind(int frameWidth, int frameHeight, int drawWidth, int drawHeight) {
  // Made again only for another frame size; failing, the frame goes into
  // the canvas unscaled.
  const bool made = Target.StorageWidth == frameWidth && Target.StorageHeight == frameHeight;
  const bool offscreen = made || CreateTarget(frameWidth, frameHeight);
  Target.Width = frameWidth;
  Target.Height = frameHeight;
  Target.DrawWidth = drawWidth;
  Target.DrawHeight = drawHeight;
  if (Target.Loaded) {
    const bool ms = offscreen && Target.Samples > 1;
    Target.Es.BindFramebuffer(GL_FRAMEBUFFER,
                              !offscreen ? 0 : ms ? Target.Multisampled.Framebuffer : Target.Frame.Framebuffer);
    if (ms) Target.Es.BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Frame.Framebuffer);
  }
  Target.Offscreen = offscreen;
  return offscreen;
}

int FrameTargetSamples() { return Target.Offscreen ? Target.Samples : 0; }

void FrameTargetResolve(int x, int y, int width, int height) {
  if (FrameTargetSamples() < 2) return;
  // Nothing leaves the scissor test on: the GL layer has none, and the bars
  // switch it off again.
  const TEs& es = Target.Es;
  es.BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Multisampled.Framebuffer);
  es.BindFramebuffer(GL_DRAW_FRAMEBUFFER, Target.Frame.Framebuffer);
  es.BlitFramebuffer(x, y, x + width, y + height, x, y, x + width, y + height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  es.BindFramebuffer(GL_DRAW_FRAMEBUFFER, Target.Multisampled.Framebuffer);
  es.BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Frame.Framebuffer);
}

void FrameTargetPresent() {
  if (!Target.Offscreen) return;
  const TEs& es = Target.Es;
  FrameTargetResolve(0, 0, Target.Width, Target.Height);
  const TLetterbox b = Letterbox(Target.Width, Target.Height, Target.DrawWidth, Target.DrawHeight);
  es.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  es.BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Frame.Framebuffer);
  es.Viewport(0, 0, Target.DrawWidth, Target.DrawHeight);
  ClearBars(b);
  const bool scaled = b.Width != Target.Width || b.Height != Target.Height;
  es.BlitFramebuffer(0, 0, Target.Width, Target.Height, b.X, b.Y, b.X + b.Width, b.Y + b.Height,
                     GL_COLOR_BUFFER_BIT, scaled ? GL_LINEAR : GL_NEAREST);
}

bool FrameTargetOffscreen() { return Target.Offscreen; }
int FrameTargetDrawWidth() { return Target.DrawWidth; }
int FrameTargetDrawHeight() { return Target.DrawHeight; }

// Called while the context is still current: the canvas keeps its context
// for the next run, objects and all.
void FrameTargetForget() {
  if (Target.Loaded) {
    Target.Es.BindFramebuffer(GL_FRAMEBUFFER, 0);
    Delete(Target.Frame);
    Delete(Target.Multisampled);
  }
  Target = TTarget{};
}
