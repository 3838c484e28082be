#include "platform/FrameTarget.h"

#include <SDL2/SDL.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <initializer_list>

namespace {
struct TTarget {
  GLuint Framebuffer = 0, Colour = 0, DepthStencil = 0;  // Colour: a texture
  // Where a multisampled frame is drawn; resolved into Framebuffer.
  GLuint MsFramebuffer = 0, MsColour = 0, MsDepthStencil = 0;
  int Samples = 0;                                        // of the Ms attachments
  int StorageWidth = 0, StorageHeight = 0;                // size of the attachments
  int Width = 0, Height = 0, DrawWidth = 0, DrawHeight = 0;
  bool Offscreen = false;  // drawing goes to Framebuffer
  GLuint Program = 0;      // the quad's program; 0 when it could not be made
  GLint Box = -1, Frame = -1;
  bool ProgramTried = false;
};
TTarget Target;
bool KeepOffscreen = false;  // FrameTargetKeepOffscreen
int WantedSamples = 0;       // FrameTargetSetSamples

PFNGLGENFRAMEBUFFERSPROC GenFramebuffers;
PFNGLBINDFRAMEBUFFERPROC BindFramebuffer;
PFNGLGENRENDERBUFFERSPROC GenRenderbuffers;
PFNGLBINDRENDERBUFFERPROC BindRenderbuffer;
PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage;
PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC RenderbufferStorageMultisample;
PFNGLGETRENDERBUFFERPARAMETERIVPROC GetRenderbufferParameteriv;
PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer;
PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D;
PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus;
PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer;
PFNGLCREATESHADERPROC CreateShader;
PFNGLSHADERSOURCEPROC ShaderSource;
PFNGLCOMPILESHADERPROC CompileShader;
PFNGLDELETESHADERPROC DeleteShader;
PFNGLCREATEPROGRAMPROC CreateProgram;
PFNGLATTACHSHADERPROC AttachShader;
PFNGLBINDATTRIBLOCATIONPROC BindAttribLocation;
PFNGLLINKPROGRAMPROC LinkProgram;
PFNGLGETPROGRAMIVPROC GetProgramiv;
PFNGLDELETEPROGRAMPROC DeleteProgram;
PFNGLUSEPROGRAMPROC UseProgram;
PFNGLGETUNIFORMLOCATIONPROC GetUniformLocation;
PFNGLUNIFORM4FPROC Uniform4f;
PFNGLUNIFORM1IPROC Uniform1i;
PFNGLVERTEXATTRIBPOINTERPROC VertexAttribPointer;
PFNGLENABLEVERTEXATTRIBARRAYPROC EnableVertexAttribArray;

template <class T>
bool Load(T& fn, const char* name) {
  fn = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
  return fn != nullptr;
}

bool LoadFramebufferCalls() {
  return Load(GenFramebuffers, "glGenFramebuffers") && Load(BindFramebuffer, "glBindFramebuffer") &&
         Load(GenRenderbuffers, "glGenRenderbuffers") && Load(BindRenderbuffer, "glBindRenderbuffer") &&
         Load(RenderbufferStorage, "glRenderbufferStorage") &&
         Load(FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         Load(FramebufferTexture2D, "glFramebufferTexture2D") &&
         Load(CheckFramebufferStatus, "glCheckFramebufferStatus") && Load(BlitFramebuffer, "glBlitFramebuffer") &&
         Load(RenderbufferStorageMultisample, "glRenderbufferStorageMultisample") &&
         Load(GetRenderbufferParameteriv, "glGetRenderbufferParameteriv");
}

bool LoadProgramCalls() {
  return Load(CreateShader, "glCreateShader") && Load(ShaderSource, "glShaderSource") &&
         Load(CompileShader, "glCompileShader") && Load(DeleteShader, "glDeleteShader") &&
         Load(CreateProgram, "glCreateProgram") && Load(AttachShader, "glAttachShader") &&
         Load(BindAttribLocation, "glBindAttribLocation") && Load(LinkProgram, "glLinkProgram") &&
         Load(GetProgramiv, "glGetProgramiv") && Load(DeleteProgram, "glDeleteProgram") &&
         Load(UseProgram, "glUseProgram") && Load(GetUniformLocation, "glGetUniformLocation") &&
         Load(Uniform4f, "glUniform4f") && Load(Uniform1i, "glUniform1i") &&
         Load(VertexAttribPointer, "glVertexAttribPointer") &&
         Load(EnableVertexAttribArray, "glEnableVertexAttribArray");
}

// Texture coordinates interpolated without perspective: the quad is flat.
const char* const VertexSource = R"(#version 130
in vec2 Corner;
uniform vec4 Box;
noperspective out vec2 Uv;
void main() {
  Uv = Corner;
  gl_Position = vec4(mix(Box.xy, Box.zw, Corner), 0.0, 1.0);
})";
// Opaque: the frame's alpha is what its blending left, and a window system
// that reads the window's alpha would show the picture through it.
const char* const FragmentSource = R"(#version 130
uniform sampler2D Frame;
noperspective in vec2 Uv;
void main() { gl_FragColor = vec4(texture(Frame, Uv).rgb, 1.0); })";

void MakeProgram() {
  Target.ProgramTried = true;
  if (!LoadProgramCalls()) return;
  const GLuint vs = CreateShader(GL_VERTEX_SHADER), fs = CreateShader(GL_FRAGMENT_SHADER);
  ShaderSource(vs, 1, &VertexSource, nullptr);
  ShaderSource(fs, 1, &FragmentSource, nullptr);
  CompileShader(vs);
  CompileShader(fs);
  const GLuint program = CreateProgram();
  AttachShader(program, vs);
  AttachShader(program, fs);
  BindAttribLocation(program, 0, "Corner");
  LinkProgram(program);
  DeleteShader(vs);
  DeleteShader(fs);
  GLint linked = GL_FALSE;
  GetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    DeleteProgram(program);
    return;
  }
  Target.Program = program;
  Target.Box = GetUniformLocation(program, "Box");
  Target.Frame = GetUniformLocation(program, "Frame");
}

// The multisampled framebuffer beside the target, with as many samples as
// wanted and offered; without it (none wanted, or incomplete) Samples is 0.
void CreateMultisampled(int width, int height) {
  GLint most = 0;
  if (WantedSamples > 1) glGetIntegerv(GL_MAX_SAMPLES, &most);
  const int samples = WantedSamples < most ? WantedSamples : most;
  Target.Samples = 0;
  if (samples < 2) return;
  if (!Target.MsFramebuffer) {
    GenFramebuffers(1, &Target.MsFramebuffer);
    GenRenderbuffers(1, &Target.MsColour);
    GenRenderbuffers(1, &Target.MsDepthStencil);
  }
  GLint got = 0;
  BindRenderbuffer(GL_RENDERBUFFER, Target.MsColour);
  RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
  GetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &got);
  BindRenderbuffer(GL_RENDERBUFFER, Target.MsDepthStencil);
  RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
  BindRenderbuffer(GL_RENDERBUFFER, 0);
  BindFramebuffer(GL_FRAMEBUFFER, Target.MsFramebuffer);
  FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Target.MsColour);
  FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, Target.MsDepthStencil);
  if (CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) Target.Samples = got;
  BindFramebuffer(GL_FRAMEBUFFER, Target.Framebuffer);
}

bool CreateTarget(int width, int height) {
  if (!Target.Framebuffer && !LoadFramebufferCalls()) return false;
  if (!Target.Framebuffer) {
    GenFramebuffers(1, &Target.Framebuffer);
    glGenTextures(1, &Target.Colour);
    GenRenderbuffers(1, &Target.DepthStencil);
  }
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, Target.Colour);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  BindRenderbuffer(GL_RENDERBUFFER, Target.DepthStencil);
  RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  BindRenderbuffer(GL_RENDERBUFFER, 0);
  BindFramebuffer(GL_FRAMEBUFFER, Target.Framebuffer);
  FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, Target.Colour, 0);
  FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, Target.DepthStencil);
  Target.StorageWidth = width;
  Target.StorageHeight = height;
  if (CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
  CreateMultisampled(width, height);
  return true;
}

// The bars beside the picture: black, cleared without touching the picture.
void ClearBars(const TLetterbox& b) {
  glEnable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  for (const TLetterbox& r : LetterboxBars(b, Target.DrawWidth, Target.DrawHeight)) {
    if (r.Width <= 0 || r.Height <= 0) continue;
    glScissor(r.X, r.Y, r.Width, r.Height);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glDisable(GL_SCISSOR_TEST);
}

void DrawQuad(const TLetterbox& b) {
  GLint program = 0, unit = GL_TEXTURE0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  for (GLenum cap : {GL_DEPTH_TEST, GL_BLEND, GL_CULL_FACE, GL_ALPHA_TEST, GL_STENCIL_TEST, GL_COLOR_LOGIC_OP})
    glDisable(cap);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glBindTexture(GL_TEXTURE_2D, Target.Colour);
  UseProgram(Target.Program);
  const float W = static_cast<float>(Target.DrawWidth), H = static_cast<float>(Target.DrawHeight);
  Uniform4f(Target.Box, 2 * b.X / W - 1, 2 * b.Y / H - 1, 2 * (b.X + b.Width) / W - 1, 2 * (b.Y + b.Height) / H - 1);
  Uniform1i(Target.Frame, unit - GL_TEXTURE0);
  static const GLfloat corners[8] = {0, 0, 1, 0, 0, 1, 1, 1};
  VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, corners);
  EnableVertexAttribArray(0);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  UseProgram(static_cast<GLuint>(program));
  glPopClientAttrib();
}
}  // namespace

void FrameTargetKeepOffscreen(bool keep) { KeepOffscreen = keep; }

void FrameTargetSetSamples(int samples) { WantedSamples = samples; }

bool FrameTargetBind(int frameWidth, int frameHeight, int drawWidth, int drawHeight) {
  Target.Width = frameWidth;
  Target.Height = frameHeight;
  Target.DrawWidth = drawWidth;
  Target.DrawHeight = drawHeight;
  bool offscreen = KeepOffscreen || WantedSamples > 1 || drawWidth != frameWidth || drawHeight != frameHeight;
  if (offscreen && (Target.StorageWidth != frameWidth || Target.StorageHeight != frameHeight))
    offscreen = CreateTarget(frameWidth, frameHeight);  // without framebuffer objects: unscaled
  if (Target.Framebuffer) {
    // Multisampled, drawing goes to the samples and reads to the resolved frame.
    const bool ms = offscreen && Target.Samples > 1;
    BindFramebuffer(GL_FRAMEBUFFER, !offscreen ? 0 : ms ? Target.MsFramebuffer : Target.Framebuffer);
    if (ms) BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Framebuffer);
  }
  Target.Offscreen = offscreen;
  return offscreen;
}

int FrameTargetSamples() { return Target.Offscreen ? Target.Samples : 0; }

void FrameTargetResolve(int x, int y, int width, int height) {
  if (FrameTargetSamples() < 2) return;
  // A blit is cut by the scissor, which a scene may have left on.
  const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
  if (scissor) glDisable(GL_SCISSOR_TEST);
  BindFramebuffer(GL_READ_FRAMEBUFFER, Target.MsFramebuffer);
  BindFramebuffer(GL_DRAW_FRAMEBUFFER, Target.Framebuffer);
  BlitFramebuffer(x, y, x + width, y + height, x, y, x + width, y + height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  BindFramebuffer(GL_DRAW_FRAMEBUFFER, Target.MsFramebuffer);
  BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Framebuffer);
  if (scissor) glEnable(GL_SCISSOR_TEST);
}

void FrameTargetPresent() {
  if (!Target.Offscreen) return;
  if (!Target.ProgramTried) MakeProgram();
  FrameTargetResolve(0, 0, Target.Width, Target.Height);
  const TLetterbox b = Letterbox(Target.Width, Target.Height, Target.DrawWidth, Target.DrawHeight);
  // The window's framebuffer first: the saved state then names its draw
  // buffer, which the pop can restore there (the target's is invalid there).
  BindFramebuffer(GL_FRAMEBUFFER, 0);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glViewport(0, 0, Target.DrawWidth, Target.DrawHeight);
  ClearBars(b);
  if (Target.Program) {
    DrawQuad(b);
  } else {
    BindFramebuffer(GL_READ_FRAMEBUFFER, Target.Framebuffer);
    BlitFramebuffer(0, 0, Target.Width, Target.Height, b.X, b.Y, b.X + b.Width, b.Y + b.Height,
                    GL_COLOR_BUFFER_BIT, GL_LINEAR);
    BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  }
  glPopAttrib();
}

bool FrameTargetOffscreen() { return Target.Offscreen; }
int FrameTargetDrawWidth() { return Target.DrawWidth; }
int FrameTargetDrawHeight() { return Target.DrawHeight; }

void FrameTargetForget() { Target = TTarget{}; }
