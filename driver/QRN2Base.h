// QRN2Base: the demo driver. Start-up, the frame loop with its schedule of
// scenes, shutdown. The frame is split so that tools can run it with their
// own clock and read the picture back before it is presented.
// Needs: the engine, the platform layer, sync and the scenes.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "driver/CommandLine.h"
#include "driver/DemoScenes.h"
#include "driver/PresentLead.h"
#include "platform/Display.h"
#include "scenes/Lakris.h"
#include "scenes/Opening.h"
#include "scenes/Picture.h"
#include "scenes/Wombat.h"
#include "sync/QTimer.h"
#include "sync/Sync.h"

struct TDemoSceneSet {
  TOpeningScene Opening;
  TPictureScene Picture;
  TWombatScene Wombat;  // the finale's too; its model also appears in Lakris
  TLakrisScene Lakris;
};

struct TDriverState {
  TWindowRec Window;
  TQTimer Timer;
  TSync Track;
  float Time = 0;       // demo seconds at this frame's clock reading
  float FrameTime = 0;  // seconds between the last two readings
  float LakrisStart = 0;  // when the landscape's own clock reads 0
  float TimeOffset = 0;   // demo time at the timer's start (a later start)
  float Speed = 1;        // demo seconds per real second (0 holds the clock)
  bool FollowsMusic = false;  // the clock is the music as heard
  TPresentLead Lead;          // added to the music's time: frames are seen later than read
  double FrameLead = 0;       // the lead of this frame's time
  bool Mute = false;
  bool Loop = false;
  std::unique_ptr<TDemoSceneSet> Scenes;
  std::int32_t MusicSample = -1;
  unsigned VellTexture = 0;
  unsigned TimeupTexture = 0;
  bool QuitRequested = false;  // the window was closed or a signal came
  bool StartSettingsKept = false;  // the start's GL settings are on GL's stacks
};
extern TDriverState Driver;

// Start-up steps in their fixed order. False when the window could not be
// opened (its message has been shown). Throws EInOutError for "test.snc".
// The options choose the window and whether the music plays.
bool DemoStartup(const TDemoOptions& options = {});
// The loop's two tests (Escape at the last read, pattern past the finale),
// and a quit request.
bool DemoContinues();
// Clear, clock, pattern and schedule: everything drawn, nothing presented.
void DemoRenderFrame();
// Clock, pattern and the scene's step: the frame's state without drawing
// it, to reach a later time quickly.
void DemoStepFrame();
// Presents the frame and reads the keyboard.
void DemoEndFrame();
// Frees what the start-up made and closes the window, which gives the display
// its mode back. Does nothing when no window is open.
void DemoShutdown();

// One frame of a scene's state, without drawing (nothing carries in the
// opening and the still).
void StepScene(TSceneId scene, float time, float frameTime);
// Every scene's state as at start-up; media stay loaded.
void ResetScenes();
// The track, every scene's state and the GL settings as a run from the
// start leaves them at demo time `time` (the scenes stepped there at 60
// frames a second without drawing); the clock goes on as it was.
void StepScenesTo(float time);
// The same, and the clock moved to `time`; the music is the caller's.
void SkipTo(float time);
// The clock goes on from this frame's reading at `speed` times real time;
// 0 holds it there.
void SetClockSpeed(float speed);
// The music plays from `time` on, and the clock follows it (nothing when
// muted or without music): heard as the clock reads `time`.
void PlayMusicFrom(float time);
// The clock follows `playback`, begun `from` seconds into the music: it
// reads `from` when that playback is first heard, at real time.
void FollowMusic(std::int32_t playback, double from);
// What the clock reads now, without taking a frame's reading.
float ClockNow();
// The models a scene reads, in the order the start-up reads them.
constexpr const char* SceneModelFiles[] = {"wombat.3ds", "lakris.3ds", "land.3ds"};
// A model changed on disk: the scenes that read it started again from it
// (media stay loaded; their state is the caller's to step). False, the
// scenes as they were, with the reader's message in `problem` for a file
// that cannot be read, and for a name no scene reads.
bool ReloadSceneModel(const std::string& fileName, std::string& problem);
// Driver.Track has just been loaded: from its start, and the landscape's
// start time taken from it.
void UseLoadedTrack();

// The whole program: start-up, loop, shutdown. Returns the exit status.
int DemoMain(const TDemoOptions& options = {});
