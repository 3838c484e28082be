#include "platform/sdl/X11Present.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrender.h>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

#include "platform/Display.h"
#include "platform/FrameTarget.h"

namespace {
struct TX11 {
  ::Display* Connection = nullptr;  // our own: SDL's reads its events
  ::Window Window = 0;
  Pixmap Frame = 0;
  GC Gc = nullptr;
  Picture Source = 0, Target = 0;
  XImage* Image = nullptr;
  XShmSegmentInfo Shm{};
  GLenum Format = GL_BGRA;  // the image's byte order as GL names it
  int Width = 0, Height = 0;
  int CompletionEvent = 0;
  bool PutPending = false;   // the server may still read the shared image
  int ScaledWidth = 0, ScaledHeight = 0;
  bool ShmRemoved = false;
};
TX11* X = nullptr;

bool StartFailed = false;
int NoteError(::Display*, XErrorEvent*) {
  StartFailed = true;
  return 0;
}

void WaitForPut() {
  while (X->PutPending) {
    XEvent e;
    XNextEvent(X->Connection, &e);
    if (e.type == X->CompletionEvent) X->PutPending = false;
  }
}

// Source pixel centres for the window's: scaled, and turned upright (GL's
// rows run bottom-up, X's top-down).
void SetScale(int width, int height) {
  if (width == X->ScaledWidth && height == X->ScaledHeight) return;
  const double sx = static_cast<double>(X->Width) / width, sy = static_cast<double>(X->Height) / height;
  XTransform t = {{{XDoubleToFixed(sx), 0, 0}, {0, XDoubleToFixed(-sy), XDoubleToFixed(X->Height)}, {0, 0, XDoubleToFixed(1)}}};
  XRenderSetPictureTransform(X->Connection, X->Source, &t);
  X->ScaledWidth = width;
  X->ScaledHeight = height;
}

bool Open(::Window window, const char* displayName, int width, int height) {
  X->Connection = XOpenDisplay(displayName);
  if (!X->Connection) return false;
  ::Display* d = X->Connection;
  int event = 0, error = 0;
  if (!XRenderQueryExtension(d, &event, &error) || !XShmQueryExtension(d)) return false;
  XVisualInfo visual{};
  if (!XMatchVisualInfo(d, DefaultScreen(d), 24, TrueColor, &visual)) return false;
  if (ImageByteOrder(d) != LSBFirst) return false;
  if (visual.red_mask == 0xff0000 && visual.blue_mask == 0xff)
    X->Format = GL_BGRA;
  else if (visual.red_mask == 0xff && visual.blue_mask == 0xff0000)
    X->Format = GL_RGBA;
  else
    return false;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(d, window, &attributes)) return false;
  XRenderPictFormat* windowFormat = XRenderFindVisualFormat(d, attributes.visual);
  if (!windowFormat) return false;

  X->Image = XShmCreateImage(d, visual.visual, 24, ZPixmap, nullptr, &X->Shm, width, height);
  if (!X->Image || X->Image->bytes_per_line != width * 4 || X->Image->bits_per_pixel != 32) return false;
  X->Shm.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(width) * height * 4, IPC_CREAT | 0600);
  if (X->Shm.shmid < 0) return false;
  X->ShmRemoved = false;
  X->Shm.shmaddr = X->Image->data = static_cast<char*>(shmat(X->Shm.shmid, nullptr, 0));
  if (X->Shm.shmaddr == reinterpret_cast<char*>(-1)) {
    X->Shm.shmaddr = X->Image->data = nullptr;
    return false;
  }
  // Touched in one call rather than page by page in the first frame.
  madvise(X->Shm.shmaddr, static_cast<std::size_t>(width) * height * 4, MADV_POPULATE_WRITE);
  X->Shm.readOnly = True;
  if (!XShmAttach(d, &X->Shm)) return false;
  XSync(d, False);
  shmctl(X->Shm.shmid, IPC_RMID, nullptr);  // goes when both sides detach
  X->ShmRemoved = true;

  X->Window = window;
  X->Width = width;
  X->Height = height;
  X->CompletionEvent = XShmGetEventBase(d) + ShmCompletion;
  X->Frame = XCreatePixmap(d, window, width, height, 24);
  X->Gc = XCreateGC(d, X->Frame, 0, nullptr);
  XRenderPictureAttributes pad{};
  pad.repeat = RepeatPad;  // edges as GL's clamp to edge
  X->Source = XRenderCreatePicture(d, X->Frame, XRenderFindStandardFormat(d, PictStandardRGB24), CPRepeat, &pad);
  XRenderSetPictureFilter(d, X->Source, const_cast<char*>(FilterBilinear), nullptr, 0);
  X->Target = XRenderCreatePicture(d, window, windowFormat, 0, nullptr);
  XSync(d, False);
  return true;
}
}  // namespace

bool X11PresentStart(void* sdlWindow, int frameWidth, int frameHeight) {
  X11PresentStop();
  const char* choice = std::getenv("DEMO_PRESENT");
  if (choice && std::strcmp(choice, "gl") == 0) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info) || info.subsystem != SDL_SYSWM_X11)
    return false;
  if (!DisplayRendersInSoftware() || frameWidth <= 0 || frameHeight <= 0) return false;
  X = new TX11();
  X->Shm.shmid = -1;
  // A server that refuses a step reports it through the error handler.
  StartFailed = false;
  auto previous = XSetErrorHandler(NoteError);
  const bool opened = Open(info.info.x11.window, DisplayString(info.info.x11.display), frameWidth, frameHeight);
  XSetErrorHandler(previous);
  if (!opened || StartFailed) {
    X11PresentStop();
    return false;
  }
  return true;
}

bool X11PresentActive() { return X != nullptr; }

void X11PresentFrame(int drawWidth, int drawHeight) {
  if (!X || drawWidth <= 0 || drawHeight <= 0) return;
  ::Display* d = X->Connection;
  WaitForPut();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(0, 0, X->Width, X->Height, X->Format, GL_UNSIGNED_BYTE, X->Image->data);
  glPopClientAttrib();
  XShmPutImage(d, X->Frame, X->Gc, X->Image, 0, 0, 0, 0, X->Width, X->Height, True);
  X->PutPending = true;

  const TLetterbox b = Letterbox(X->Width, X->Height, drawWidth, drawHeight);
  SetScale(b.Width, b.Height);
  XRenderComposite(d, PictOpSrc, X->Source, None, X->Target, 0, 0, 0, 0, b.X, b.Y,
                   static_cast<unsigned>(b.Width), static_cast<unsigned>(b.Height));
  const XRenderColor black{0, 0, 0, 0xffff};
  for (const TLetterbox& r : LetterboxBars(b, drawWidth, drawHeight))
    if (r.Width > 0 && r.Height > 0) XRenderFillRectangle(d, PictOpSrc, X->Target, &black, r.X, r.Y, r.Width, r.Height);
  XFlush(d);
}

void X11PresentStop() {
  if (!X) return;
  if (::Display* d = X->Connection) {
    if (X->Image && X->Shm.shmaddr) WaitForPut();
    if (X->Target) XRenderFreePicture(d, X->Target);
    if (X->Source) XRenderFreePicture(d, X->Source);
    if (X->Gc) XFreeGC(d, X->Gc);
    if (X->Frame) XFreePixmap(d, X->Frame);
    if (X->Shm.shmaddr) XShmDetach(d, &X->Shm);
    XSync(d, False);
    XCloseDisplay(d);
  }
  if (X->Image) {
    X->Image->data = nullptr;
    XDestroyImage(X->Image);
  }
  if (X->Shm.shmaddr) shmdt(X->Shm.shmaddr);
  if (X->Shm.shmid > 0 && !X->ShmRemoved) shmctl(X->Shm.shmid, IPC_RMID, nullptr);
  delete X;
  X = nullptr;
}
