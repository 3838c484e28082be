// QRN2Base: the driver. The order of the start-up steps and of the schedule's
// tests is part of the design: the scenes rely on it.
#include "driver/QRN2Base.h"

#include <cmath>

#include "driver/DemoScenes.h"
#include "driver/FrameStats.h"
#include "engine/GLErrors.h"
#include "engine/ImagePrefetch.h"
#include "engine/QRN2Draw.h"
#include "engine/QRN2Materials.h"
#include "engine/QRN2_2D.h"
#include "engine/Quarn2.h"
#include "engine/TextureUploads.h"
#include "platform/Display.h"
#include "platform/Files.h"
#include "platform/QINKeyboard.h"
#include "platform/QuarnBASS.h"

TDriverState Driver;

namespace {
void ShowStill(GLuint texture) {
  Begin2D();
  DrawImage(texture, 0, 0, 800, 600);
  End2D();
}

// Every scene draws from the driver's clock; the landscape's and the
// finale's arguments are the schedule's.
void RenderScene(TSceneId scene) {
  TDemoSceneSet& s = *Driver.Scenes;
  const float t = Driver.Time, dt = Driver.FrameTime;
  switch (scene) {
    case TSceneId::Opening: RenderOpening(s.Opening, t); break;
    case TSceneId::Still: ShowStill(Driver.VellTexture); break;
    case TSceneId::Picture: RenderPicture(s.Picture, dt); break;
    case TSceneId::Wombat: RenderWombat(s.Wombat, t, dt, false); break;
    case TSceneId::Lakris: RenderLakris(s.Lakris, t, dt, Driver.LakrisStart, s.Wombat.Model); break;
    case TSceneId::Finale:
      SetClearColor({0, 0, 0, 1});
      RenderWombat(s.Wombat, t, dt, true);
      break;
  }
}

bool MusicPlays() { return !Driver.Mute && Driver.MusicSample >= 0; }

// The clock from demo time 0. Music the mixer takes now is heard a buffer
// later, so the clock starts that much behind.
void StartClock() {
  Driver.Timer.Start();
  Driver.TimeOffset = MusicPlays() ? -static_cast<float>(OutputLatency()) : 0.0f;
}

// Timer, track, every scene's state and the music from the beginning.
void StartOver() {
  ResetScenes();
  Driver.Track.Start();
  StartClock();
  if (MusicPlays()) PlaySample(Driver.MusicSample, 100, 0);
}

// The frame's clock reading and the pattern it falls in.
std::int32_t ReadClock() {
  Driver.Time = Driver.Timer.Elapsed() * Driver.Speed + Driver.TimeOffset;
  Driver.FrameTime = Driver.Timer.Delta * Driver.Speed;
  return Driver.Track.CurrentPattern(Driver.Time);
}
}  // namespace

void StepScene(TSceneId scene, float time, float frameTime) {
  TDemoSceneSet& s = *Driver.Scenes;
  switch (scene) {
    case TSceneId::Opening:
    case TSceneId::Still: break;  // nothing carries over
    case TSceneId::Picture: StepPicture(s.Picture, frameTime); break;
    case TSceneId::Wombat: StepWombat(s.Wombat, time, frameTime, false); break;
    case TSceneId::Lakris: StepLakris(s.Lakris, time, frameTime, Driver.LakrisStart); break;
    case TSceneId::Finale: StepWombat(s.Wombat, time, frameTime, true); break;
  }
}

void ResetScenes() {
  TDemoSceneSet& s = *Driver.Scenes;
  ResetPicture(s.Picture);
  ResetWombat(s.Wombat);
  ResetLakris(s.Lakris);
}

bool DemoStartup(const TDemoOptions& options) {
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
  DisplaySetWindowSize(options.WindowWidth, options.WindowHeight);
  RequestFrameQuality({options.Scale, options.ScaleValue, options.Msaa});
  Driver.Window = OpenWindow(800, 600, 32, options.Fullscreen, "Test");
  if (!WindowOpened(Driver.Window)) return false;
  CreateKeyboard(Driver.Window, false);
  SetClearColor({0, 0, 0, 1});
  InitAudio(Driver.Window.Handle);
  Driver.MusicSample = LoadSample("music.mp3");
  Driver.Scenes = std::make_unique<TDemoSceneSet>();
  TDemoSceneSet& scenes = *Driver.Scenes;
  StartWombat(scenes.Wombat);
  StartOpening(scenes.Opening);
  StartPicture(scenes.Picture);
  StartLakris(scenes.Lakris);
  Driver.VellTexture = GetTexture("vell.jpg");
  Driver.TimeupTexture = GetTexture("timeup.jpg");
  UploadTextureNow(scenes.Opening.Texture);
  Driver.Mute = options.Mute;
  Driver.Loop = options.Loop;
  const bool later = options.StartSeconds > 0 || options.StartPattern > 0;
  StartClock();
  if (MusicPlays() && !later) PlaySample(Driver.MusicSample, 100, 0);
  Driver.Track.LoadFromFile("test.snc");
  UseLoadedTrack();
  if (later) {
    const float start = options.StartPattern > 0 ? Driver.Track.PatternStart(options.StartPattern)
                                                 : static_cast<float>(options.StartSeconds);
    SkipTo(start);
    // Heard a buffer from now, when the clock reads that much more.
    if (MusicPlays()) PlaySampleFrom(Driver.MusicSample, 100, 0, start + OutputLatency());
  }
  return true;
}

void UseLoadedTrack() {
  Driver.Track.Start();
  Driver.LakrisStart = Driver.Track.PatternEnds[SceneNamed(TSceneId::Lakris).FirstPattern];
}

void SkipTo(float time) {
  // The scenes' state as a run at 60 frames a second leaves it.
  constexpr float Step = 1.0f / 60;
  Driver.Track.Start();
  ResetScenes();
  for (long k = 0; k * Step < time; ++k) {
    const float t = static_cast<float>(k) * Step;
    if (const TDemoScene* scene = SceneOfPattern(Driver.Track.CurrentPattern(t))) StepScene(scene->Id, t, Step);
  }
  Driver.Track.CurrentPattern(time);
  Driver.Timer.Start();
  Driver.TimeOffset = Driver.Time = time;
}

void SetClockSpeed(float speed) {
  Driver.Timer.Start();
  Driver.TimeOffset = Driver.Time;
  Driver.Speed = speed;
}

float ClockNow() {
  TQTimer probe = Driver.Timer;  // reading a copy leaves the frame's Delta alone
  return probe.Elapsed() * Driver.Speed + Driver.TimeOffset;
}

bool DemoContinues() {
  if (KeyDown(DIK_ESCAPE)) return false;
  if (Driver.Track.Pattern >= LastFramePattern) {
    if (!Driver.Loop) return false;
    StartOver();
  }
  return !Driver.QuitRequested;
}

void DemoRenderFrame() {
  BeginFrame();
  const std::int32_t p = ReadClock();
  if (p != 0) UploadAllTextures();  // every picture before any scene past the opening
  if (const TDemoScene* scene = SceneOfPattern(p))
    RenderScene(scene->Id);
  else if (p >= LastFramePattern)
    ShowStill(Driver.TimeupTexture);
  CheckGLErrorsAfterFrame();
}

void DemoStepFrame() {
  if (const TDemoScene* scene = SceneOfPattern(ReadClock())) StepScene(scene->Id, Driver.Time, Driver.FrameTime);
}

void DemoEndFrame() {
  if (PresentFrame(Driver.Window))
    Driver.QuitRequested = true;
  else
    FrameStatsPresented(Driver.Track.Pattern);
  // The opening draws one picture: the others go up one a frame behind it.
  if (Driver.Track.Pattern == 0) UploadNextTexture();
  UpdateKeyboard();
}

// Frees in reverse order of the start-up, GL objects while their context is
// still current.
void DemoShutdown() {
  if (!WindowOpened(Driver.Window)) return;
  if (Driver.Scenes) FreePicture(Driver.Scenes->Picture);
  Driver.Scenes.reset();
  FreeTextures();
  ShutdownAudio();
  FreeKeyboard();
  TearDownWindow(Driver.Window, true);
  UnloadGLEntryPoints();
}

int DemoMain(const TDemoOptions& options) {
  if (!DemoStartup(options)) return 1;
  while (DemoContinues()) {
    DemoRenderFrame();
    DemoEndFrame();
  }
  DemoShutdown();
  FrameStatsReport(stderr);
  return 0;
}
