// QRN2Base: the driver. The order of the start-up steps and of the schedule's
// tests is part of the design: the scenes rely on it.
#include "driver/QRN2Base.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "driver/DemoScenes.h"
#include "driver/FrameStats.h"
#include "engine/GLErrors.h"
#include "engine/GLQueries.h"
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

// Timer, track, every scene's state and the music from the beginning.
void StartOver() {
  SkipTo(0);
  if (MusicPlays()) FollowMusic(PlaySample(Driver.MusicSample, 100, 0), 0);
}

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Every scene drawn at its first pattern, unseen, so that nothing it needs
// goes to GL in the frame where it first appears: every picture is
// uploaded, and a software GL compiles its code for each new combination of
// state the scenes draw with, so each scene is drawn from the settings the
// one before it leaves, as in a run, and into each target's format: the
// offscreen frame a display that scales it draws into (a fullscreen window
// on Wayland is only sized after the first frames), then the target the run
// begins with. Drawn there a second time, each scene's drawing time tells
// the frames' lead at a cut. The GL state, the frame and the scenes' own
// are as they were after.
void DrawEverySceneFirst() {
  // Every scene in order from the run's starting settings, put back in the
  // target they were kept in (a window's draw buffer is no offscreen frame's).
  const auto drawEveryScene = [](bool offscreen) {
    DrawFrameOffscreen(false);
    RestoreGLState();
    SaveGLState();
    DrawFrameOffscreen(offscreen);
    for (const TDemoScene& scene : DemoScenes) {
      FinishDrawing();
      const double began = SteadySeconds();
      BeginFrame();
      Driver.Time = Driver.Track.PatternStart(scene.FirstPattern);
      Driver.FrameTime = 1.0f / 60;
      RenderScene(scene.Id);
      FinishDrawing();
      Driver.Lead.SceneDraw[&scene - DemoScenes] = SteadySeconds() - began;
    }
  };
  UploadAllTextures();
  SaveGLState();
  drawEveryScene(true);   // the offscreen frame's format
  drawEveryScene(false);  // the run's own target
  drawEveryScene(false);  // again, timed without compiling
  DrawFrameOffscreen(false);
  RestoreGLState();
  BeginFrame();
  ResetScenes();
  Driver.Track.Start();
  Driver.Time = Driver.FrameTime = 0;
}

int SceneIndexOf(std::int32_t pattern) {
  const TDemoScene* scene = SceneOfPattern(pattern);
  return scene ? static_cast<int>(scene - DemoScenes) : -1;
}

// Demo time from the timer's seconds since its start. Following the music,
// frames are read ahead of it by `lead`, as they are seen that much later.
float DemoTimeAt(float elapsed, double lead) {
  return elapsed * Driver.Speed + Driver.TimeOffset + (Driver.FollowsMusic ? static_cast<float>(lead) : 0.0f);
}

// The frame's clock reading and the pattern it falls in. Following the
// music it never goes back, however the lead moves; a frame past a cut is
// read ahead by the lead of the scene it shows.
std::int32_t ReadClock() {
  LeadFrameRead(Driver.Lead, SteadySeconds());
  const float elapsed = Driver.Timer.Elapsed();
  double lead = Driver.Lead.Lead;
  float time = DemoTimeAt(elapsed, lead);
  if (Driver.FollowsMusic) {
    TSync ahead = Driver.Track;
    const int scene = SceneIndexOf(ahead.CurrentPattern(time));
    if (scene != Driver.Lead.Scene) time = DemoTimeAt(elapsed, lead = LeadFor(Driver.Lead, scene));
    time = std::max(Driver.Time, time);
  }
  Driver.FrameLead = Driver.FollowsMusic ? lead : 0;
  Driver.Time = time;
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
  SetAudioOffset(options.AudioOffsetMs / 1000);
  // The track before the clock: the scenes are drawn once at its patterns.
  Driver.Track.LoadFromFile("test.snc");
  UseLoadedTrack();
  if (options.DrawScenesFirst) DrawEverySceneFirst();
  // The GL settings a run starts with, kept for later starts and seeks.
  SaveGLState();
  Driver.StartSettingsKept = true;
  const bool later = options.StartSeconds > 0 || options.StartPattern > 0;
  Driver.Timer.Start();
  if (MusicPlays() && !later) FollowMusic(PlaySample(Driver.MusicSample, 100, 0), 0);
  if (later) {
    const float start = options.StartPattern > 0 ? Driver.Track.PatternStart(options.StartPattern)
                                                 : static_cast<float>(options.StartSeconds);
    SkipTo(start);
    PlayMusicFrom(start);
  }
  return true;
}

bool ReloadSceneModel(const std::string& fileName, std::string& problem) {
  TDemoSceneSet& s = *Driver.Scenes;
  try {
    if (fileName == SceneModelFiles[0]) {
      TWombatScene fresh;
      StartWombat(fresh);
      s.Wombat = std::move(fresh);
    } else if (fileName == SceneModelFiles[1] || fileName == SceneModelFiles[2]) {
      TLakrisScene fresh;
      StartLakris(fresh);
      s.Lakris = std::move(fresh);
    } else {
      return false;
    }
  } catch (const EInOutError& e) {
    problem = e.what();
    return false;
  }
  return true;
}

void UseLoadedTrack() {
  Driver.Track.Start();
  Driver.LakrisStart = Driver.Track.PatternEnds[SceneNamed(TSceneId::Lakris).FirstPattern];
}

void StepScenesTo(float time) {
  constexpr float Step = 1.0f / 60;
  // The GL settings as a run from the start leaves them: each scene's frame
  // sets what it needs and leaves the rest, the same whatever came before,
  // so one unseen frame of every scene shown before `time`, in order, from
  // the start's settings, gives them.
  if (Driver.StartSettingsKept) {
    RestoreGLState();
    SaveGLState();
    for (const TDemoScene& scene : DemoScenes) {
      const float first = Driver.Track.PatternStart(scene.FirstPattern);
      if (!(first < time)) break;
      BeginFrame();
      Driver.Time = first;
      Driver.FrameTime = Step;
      RenderScene(scene.Id);
    }
    BeginFrame();
  }
  // The scenes' state as a run at 60 frames a second leaves it.
  Driver.Track.Start();
  ResetScenes();
  for (long k = 0; k * Step < time; ++k) {
    const float t = static_cast<float>(k) * Step;
    if (const TDemoScene* scene = SceneOfPattern(Driver.Track.CurrentPattern(t))) StepScene(scene->Id, t, Step);
  }
  Driver.Track.CurrentPattern(time);
  Driver.Time = time;
}

void SkipTo(float time) {
  StepScenesTo(time);
  Driver.Timer.Start();
  Driver.TimeOffset = Driver.Time = time;
  Driver.FollowsMusic = false;
}

void SetClockSpeed(float speed) {
  Driver.Timer.Start();
  Driver.TimeOffset = Driver.Time;
  Driver.Speed = speed;
  Driver.FollowsMusic = false;
}

void FollowMusic(std::int32_t playback, double from) {
  Driver.Timer.Start();
  Driver.Speed = 1;
  // The timer now reads the sound as heard: the demo's time is `from` when
  // the playback's first sound reaches the output.
  Driver.TimeOffset = static_cast<float>(from - PlaybackHeardIn(playback));
  Driver.FollowsMusic = playback != 0;
}

void PlayMusicFrom(float time) {
  if (!MusicPlays()) return;
  // Begun as far into the music as the output's delay, it is heard at
  // about the time the clock reads now.
  const double from = time + OutputLatency();
  if (const std::int32_t playback = PlaySampleFrom(Driver.MusicSample, 100, 0, from)) FollowMusic(playback, from);
}

float ClockNow() {
  TQTimer probe = Driver.Timer;  // reading a copy leaves the frame's Delta alone
  return DemoTimeAt(probe.Elapsed(), Driver.Lead.Lead);
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
  if (PresentFrame(Driver.Window)) {
    Driver.QuitRequested = true;
  } else {
    const double readAt = Driver.Lead.ReadAt;
    LeadFramePresented(Driver.Lead, SteadySeconds(), SceneIndexOf(Driver.Track.Pattern));
    FrameStatsPresented(Driver.Track.Pattern, Driver.Time, readAt, Driver.FrameLead);
  }
  // The opening draws one picture: the others go up one a frame behind it.
  if (Driver.Track.Pattern == 0) UploadNextTexture();
  UpdateKeyboard();
}

// Frees in reverse order of the start-up, GL objects while their context is
// still current.
void DemoShutdown() {
  if (!WindowOpened(Driver.Window)) return;
  if (Driver.StartSettingsKept) RestoreGLState();
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
