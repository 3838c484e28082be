// QRN2Base: the driver. The order of the start-up steps and of the schedule's
// tests is part of the design: the scenes rely on it.
#include "driver/QRN2Base.h"

#include <GL/gl.h>

#include "driver/FrameStats.h"
#include "driver/Globals.h"
#include "engine/GLErrors.h"
#include "engine/ImagePrefetch.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2_2D.h"
#include "engine/Quarn2.h"
#include "engine/TextureUploads.h"
#include "platform/Files.h"
#include "platform/QINKeyboard.h"
#include "platform/QuarnBASS.h"
#include "scenes/Lakris.h"
#include "scenes/Opening.h"
#include "scenes/Picture.h"
#include "scenes/Wombat.h"
#include "sync/QTimer.h"
#include "sync/Sync.h"

TDriverState Driver;

namespace {
void ShowStill(GLuint texture) {
  Begin2D();
  DrawImage(texture, 0, 0, 800, 600);
  End2D();
}
}  // namespace

bool DemoStartup() {
  // A tool or test may start the demo again in one process; whatever the last
  // run left (when it was not shut down) goes with its context.
  if (WindowOpened(Driver.Window)) DemoShutdown();
  Driver = TDriverState{};
  ChangeDirectory("data");  // without it, media come from the launch directory
  // The pictures decode on a second core while the window opens; in the
  // order the scenes ask for them. None is left decoding after start-up.
  PrefetchImages({"womflash.jpg", "wombats.jpg", "1-owners.jpg", "1-picture.jpg", "stein.jpg", "vann.jpg",
                  "lakris.jpg", "diag\\1.tga", "diag\\2.tga", "diag\\3.tga", "diag\\4.tga", "diag\\5.tga",
                  "diag\\6.tga", "diag\\7.tga", "spot.jpg", "vell.jpg", "timeup.jpg"});
  // The pictures' pixels go to GL between frames, but the opening's: its
  // frames are cheap, and the first one need not wait for the others.
  DeferTextureUploads(true);
  struct TStartupScope {
    ~TStartupScope() {
      EndPrefetch();
      DeferTextureUploads(false);
    }
  } startupScope;
  LoadGLEntryPoints();
  Driver.Window = OpenWindow(800, 600, 32, true, "Test");
  if (!WindowOpened(Driver.Window)) return false;
  CreateKeyboard(Driver.Window, false);
  glClearColor(0, 0, 0, 1);
  InitAudio(Driver.Window.Handle);
  Driver.MusicSample = LoadSample("music.mp3");
  InitWombat();
  InitOpening();
  InitPicture();
  InitLakris();
  SpotTexture = GetTexture("spot.jpg");
  Driver.VellTexture = GetTexture("vell.jpg");
  Driver.TimeupTexture = GetTexture("timeup.jpg");
  UploadTextureNow(OpeningTexture);
  delete DemoTimer;  // a tool or test that starts the demo again replaces the last run's
  DemoTimer = new TQTimer();
  DemoTimer->Start();
  PlaySample(Driver.MusicSample, 100, 0);
  delete SyncTrack;
  SyncTrack = new TSync();
  SyncTrack->LoadFromFile("test.snc");
  SyncTrack->Start();
  LakrisStart = SyncTrack->PatternEnds[6];
  return true;
}

bool DemoContinues() {
  if (KeyDown(DIK_ESCAPE)) return false;
  if (SyncTrack->Pattern >= 19) return false;
  return !Driver.QuitRequested;
}

void DemoRenderFrame() {
  BeginFrame();
  DemoTime = DemoTimer->Elapsed();
  FrameTime = DemoTimer->Delta;
  const std::int32_t p = SyncTrack->CurrentPattern();
  if (p != 0) UploadAllTextures();  // every picture before any scene past the opening
  // Every test runs in every frame; none is an "else" of another.
  if (p == 0) RenderOpening();
  if (p == 1) ShowStill(Driver.VellTexture);
  if (p == 2 || p == 3) RenderPicture();
  if (p == 4 || p == 5) RenderWombat();
  if (p > 5 && p < 18) RenderLakris();
  if (SyncTrack->Pattern == 18) {
    glClearColor(0, 0, 0, 1);
    WombatFinale = true;
    RenderWombat();
  }
  if (SyncTrack->Pattern > 18) ShowStill(Driver.TimeupTexture);
  CheckGLErrorsAfterFrame();
}

void DemoEndFrame() {
  if (PresentFrame(Driver.Window))
    Driver.QuitRequested = true;
  else
    FrameStatsPresented(SyncTrack->Pattern);
  // The opening draws one picture: the others go up one a frame behind it.
  if (SyncTrack->Pattern == 0) UploadNextTexture();
  UpdateKeyboard();
}

// Frees in reverse order of the start-up, GL objects while their context is
// still current.
void DemoShutdown() {
  if (!WindowOpened(Driver.Window)) return;
  FreeLakris();
  FreePicture();
  FreeOpening();
  FreeWombat();
  FreeTextures();
  ShutdownAudio();
  FreeKeyboard();
  TearDownWindow(Driver.Window, true);
  UnloadGLEntryPoints();
}

int DemoMain() {
  if (!DemoStartup()) return 1;
  while (DemoContinues()) {
    DemoRenderFrame();
    DemoEndFrame();
  }
  DemoShutdown();
  FrameStatsReport(stderr);
  return 0;
}
