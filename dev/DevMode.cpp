// DevMode: the development loop around the driver's frame. Keys and panel
// requests change the clock and the track between frames; a seek or an
// edit steps every scene there without drawing (SkipTo, StepScenesTo), so
// the picture is a continuous run's.
#include "dev/DevMode.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "dev/DevCalibration.h"
#include "dev/DevClock.h"
#include "dev/DevEditor.h"
#include "dev/DevMedia.h"
#include "dev/DevPanel.h"
#include "dev/DevStats.h"
#include "dev/DevTimeline.h"
#include "driver/FrameStats.h"
#include "driver/QRN2Base.h"
#include "engine/RenderScale.h"
#include "platform/DevOverlay.h"
#include "platform/Files.h"
#include "platform/QINKeyboard.h"
#include "platform/QuarnBASS.h"
#include "frames/FrameImage.h"
#include "frames/PngFile.h"

namespace {
constexpr float TrackPollSeconds = 0.25f;
constexpr float ArrowSeconds = 5;
constexpr float StepSeconds = 1.0f / 60;

// Real time, for frame times and polling: the demo's clock follows the
// sound, so it is not this.
struct TWallClock {
  using TClock = std::chrono::steady_clock;
  TClock::time_point Begun = TClock::now(), Last = Begun;
  float Delta = 0;  // seconds between the last two readings
  float Elapsed() {
    const TClock::time_point now = TClock::now();
    Delta = std::chrono::duration<float>(now - Last).count();
    Last = now;
    return std::chrono::duration<float>(now - Begun).count();
  }
};

struct TDevState {
  TDevClock Clock;
  bool Mute = false;
  bool PanelShown = true;
  bool ShotWanted = false;
  bool SeekWanted = false;  // from the panel, done before the next frame
  bool FrameStale = true;   // paused, the frame drawn last is shown again until this
  float SeekTime = 0;
  std::vector<TPatternRow> Rows;
  TDevStats Stats;
  TWallClock Wall;
  float LastPoll = 0, LastMedians = 0;
  TDevEditor Editor;
  TDevMedia Media;
  TTimelineView View;
  std::string LastShot, ShotDir;
  int AudioOffsetMs = 0;
  // The audio clock against the wall since the clock was last set.
  bool DriftRebase = true;
  double DriftClock = 0, DriftWall = 0;
  // The calibration view: its click track, and the demo time to go back to.
  bool Calibrating = false;
  std::int32_t Clicks = -1;
  float ResumeAt = 0;
};

void FollowClock(TDevState& dev) {
  SetClockSpeed(ClockSpeed(dev.Clock));
  // A second playback of the sample would play beside the first.
  StopSample(Driver.MusicSample);
  if (MusicPlays(dev.Clock, dev.Mute)) PlayMusicFrom(Driver.Time);
  dev.DriftRebase = true;
}

void PlayClicks(TDevState& dev) {
  StopSample(dev.Clicks);
  FollowMusic(PlaySample(dev.Clicks, 100, 0), 0);
}

void StartCalibration(TDevState& dev) {
  if (dev.Mute) return;  // nothing to hear
  if (dev.Clicks < 0) dev.Clicks = LoadSampleBytes(CalibrationClicks());
  if (dev.Clicks < 0) return;
  dev.Calibrating = true;
  dev.ResumeAt = Driver.Time;
  StopSample(Driver.MusicSample);
  PlayClicks(dev);
}

void SetAudioOffsetMs(TDevState& dev, int steps) {
  dev.AudioOffsetMs = CalibrationOffset(dev.AudioOffsetMs, steps);
  SetAudioOffset(dev.AudioOffsetMs / 1000.0);
}

// While calibrating only the calibration's keys and the panel's own act.
bool CalibrationKey(TDevState& dev, TDevKey key) {
  switch (key) {
    case TDevKey::Up: SetAudioOffsetMs(dev, 1); return true;
    case TDevKey::Down: SetAudioOffsetMs(dev, -1); return true;
    case TDevKey::F1: case TDevKey::F12: return false;
    case TDevKey::C:
      dev.Calibrating = false;
      StopSample(dev.Clicks);
      SkipTo(dev.ResumeAt);
      FollowClock(dev);
      return true;
    default: return true;
  }
}

void Seek(TDevState& dev, float time, bool announce = true) {
  time = std::clamp(time, 0.0f, TimelineLength(dev.Rows));
  const auto began = std::chrono::steady_clock::now();
  SkipTo(time);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
  dev.FrameStale = true;
  dev.Clock = AfterSeek(dev.Clock, Driver.Track.Pattern);
  if (announce) std::fprintf(stderr, "dev: seek %.3f s, pattern %d (%.0f ms)\n", time, Driver.Track.Pattern, ms);
  FollowClock(dev);
}

// After the track changed under the current time.
void AfterEdit(TDevState& dev) {
  dev.Rows = PatternRows(Driver.Track);
  dev.FrameStale = true;
  dev.Clock = AfterSeek(dev.Clock, Driver.Track.Pattern);
}

// Ctrl+Z, Ctrl+Shift+Z, Ctrl+S and T: false for any other key.
bool EditorKey(TDevState& dev, const TDevKeyPress& press) {
  if (press.Key == TDevKey::Z && press.Ctrl) {
    press.Shift ? EditorRedo(dev.Editor) : EditorUndo(dev.Editor);
  } else if (press.Key == TDevKey::S && press.Ctrl) {
    EditorSave(dev.Editor);
  } else if (press.Key == TDevKey::T && !press.Ctrl) {
    // The music heard now, not the picture read ahead of it.
    if (!dev.Clock.Paused) EditorTap(dev.Editor, ClockNow() - static_cast<float>(Driver.FrameLead));
  } else {
    return false;
  }
  AfterEdit(dev);
  return true;
}

void HandleKey(TDevState& dev, const TDevKeyPress& press) {
  const TDevKey key = press.Key;
  if (dev.Calibrating && CalibrationKey(dev, key)) return;
  if (EditorKey(dev, press)) return;
  const int pattern = std::min(Driver.Track.Pattern, FinalePattern);
  switch (key) {
    case TDevKey::C: StartCalibration(dev); break;
    case TDevKey::S:
    case TDevKey::T:
    case TDevKey::Z:
    case TDevKey::Up:
    case TDevKey::Down: break;
    case TDevKey::F1: dev.PanelShown = !dev.PanelShown; break;
    case TDevKey::F12: dev.ShotWanted = true; break;
    case TDevKey::Space:
      dev.Clock = TogglePause(dev.Clock);
      FollowClock(dev);
      break;
    case TDevKey::Left: Seek(dev, Driver.Time - ArrowSeconds); break;
    case TDevKey::Right: Seek(dev, Driver.Time + ArrowSeconds); break;
    case TDevKey::PageUp: Seek(dev, Driver.Track.PatternStart(PreviousPattern(pattern))); break;
    case TDevKey::PageDown: Seek(dev, Driver.Track.PatternStart(NextPattern(pattern))); break;
    case TDevKey::Home: Seek(dev, 0); break;
    case TDevKey::L: dev.Clock = ToggleLoop(dev.Clock, pattern); break;
    case TDevKey::Period:
      if (dev.Clock.Paused) Seek(dev, Driver.Time + StepSeconds);
      break;
    case TDevKey::Digit1:
    case TDevKey::Digit2:
    case TDevKey::Digit3:
    case TDevKey::Digit4:
      dev.Clock = WithSpeed(dev.Clock, static_cast<int>(key) - static_cast<int>(TDevKey::Digit1));
      FollowClock(dev);
      break;
  }
}

// test.snc changed on disk: taken, unless there are edits not saved; the
// pictures, models and music changed: read again.
void PollFiles(TDevState& dev, float now) {
  if (now - dev.LastPoll < TrackPollSeconds) return;
  dev.LastPoll = now;
  if (EditorPoll(dev.Editor)) AfterEdit(dev);
  bool music = false;
  if (!ReloadChangedMedia(dev.Media, music)) return;
  StepScenesTo(Driver.Time);
  dev.FrameStale = true;
  if (music) {
    dev.Editor.AudioReady = false;  // drawn again once decoded
    FollowClock(dev);
  }
}

void SaveShot(TDevState& dev) {
  TImage frame;  // read and written as the capture tool's stills are, at the frame's pixels
  ReadFrame(CurrentRenderScale().Width, CurrentRenderScale().Height, frame);
  // The time to the microsecond, cut rather than rounded: capture --still at
  // the name's time draws this frame, not the next.
  char name[48];
  std::snprintf(name, sizeof name, "frame-%010.6f.png", std::floor(static_cast<double>(Driver.Time) * 1e6) / 1e6);
  const std::string path = dev.ShotDir + name;
  std::string error;
  if (WritePng(path, DropAlpha(frame), error)) {
    dev.LastShot = name;
    std::fprintf(stderr, "dev: saved %s\n", path.c_str());
  } else {
    std::fprintf(stderr, "dev: cannot write %s: %s\n", path.c_str(), error.c_str());
  }
}

// What the panel asked of the editor this frame.
void TakeEdits(TDevState& dev, const TDevPanelRequest& request) {
  TDevEditor& editor = dev.Editor;
  const bool before = EditorUnsaved(editor);
  bool changed = true;
  if (request.DragPattern >= 0)
    EditorDrag(editor, request.DragPattern, request.DragTime, request.DragBoundaryOnly);
  else if (request.DragEnded)
    EditorEndDrag(editor);
  else if (request.TypedPattern >= 0)
    EditorEdit(editor, MoveEnd(CurrentEnds(editor.History), request.TypedPattern, request.TypedTime, TEndMove::KeepLengths));
  else if (request.Undo)
    EditorUndo(editor);
  else if (request.Redo)
    EditorRedo(editor);
  else if (request.TakeDisk)
    EditorTakeDisk(editor);
  else
    changed = false;
  if (request.Save) EditorSave(editor);
  if (request.KeepMine) EditorKeepMine(editor);
  if (request.GridChanged) {
    editor.Grid = request.Grid;
    editor.Snap = request.Snap;
  }
  if (changed || before != EditorUnsaved(editor)) AfterEdit(dev);
}

void DrawPanel(TDevState& dev) {
  TDevPanelView view;
  view.Time = Driver.Time;
  view.Pattern = Driver.Track.Pattern;
  view.Clock = dev.Clock;
  view.Mute = dev.Mute;
  view.Rows = &dev.Rows;
  view.Stats = &dev.Stats;
  view.Editor = &dev.Editor;
  view.MediaProblem = dev.Media.Problem;
  view.View = &dev.View;
  view.LastShot = dev.LastShot;
  view.Underruns = AudioUnderruns();
  view.AudioOffsetMs = dev.AudioOffsetMs;
  view.Calibrating = dev.Calibrating;
  view.Flash = dev.Calibrating && CalibrationFlashes(ClockNow());
  DevOverlayBeginFrame();
  const TDevPanelRequest request = DrawDevPanel(view);
  DevOverlayEndFrame();
  TakeEdits(dev, request);
  // A drag seeks again only once it has moved a frame's time.
  if (request.Seek && (!dev.SeekWanted || std::abs(request.SeekTime - dev.SeekTime) >= StepSeconds) &&
      std::abs(request.SeekTime - Driver.Time) >= StepSeconds) {
    dev.SeekWanted = true;
    dev.SeekTime = request.SeekTime;
  }
}

// The music's clock (the picture's lead aside) against the wall's.
void NoteClockDrift(TDevState& dev, float wall) {
  const double music = Driver.Time - Driver.FrameLead;
  if (!Driver.FollowsMusic || dev.Calibrating || dev.DriftRebase) {
    dev.DriftRebase = !Driver.FollowsMusic || dev.Calibrating;
    dev.DriftClock = music;
    dev.DriftWall = wall;
  }
  NoteDrift(dev.Stats, static_cast<float>((music - dev.DriftClock) - (wall - dev.DriftWall)));
}

void DevFrame(TDevState& dev) {
  const float now = dev.Wall.Elapsed();
  for (const TDevKeyPress& press : DevOverlayTakeKeys()) HandleKey(dev, press);
  if (dev.SeekWanted) {
    dev.SeekWanted = false;
    Seek(dev, dev.SeekTime);
  }
  PollFiles(dev, now);
  EditorPrepareAudio(dev.Editor, Driver.MusicSample);
  if (dev.Calibrating && ClockNow() > CalibrationSeconds - 1) PlayClicks(dev);
  if (!dev.Calibrating && LoopWraps(dev.Clock, Driver.Track.PatternEnds, ClockNow()))
    Seek(dev, Driver.Track.PatternStart(dev.Clock.LoopPattern));
  // A scene's step may move it even with no time passing: paused, the frame
  // is held (it stays in the offscreen target) rather than drawn again.
  const bool draw = !dev.Calibrating && (!dev.Clock.Paused || dev.FrameStale);
  if (draw) DemoRenderFrame();
  dev.FrameStale = false;
  const TDemoScene* scene = draw ? SceneOfPattern(Driver.Track.Pattern) : nullptr;
  NoteFrame(dev.Stats, scene ? static_cast<int>(scene - DemoScenes) : -1, dev.Wall.Delta);
  NoteClockDrift(dev, now);
  if (now - dev.LastMedians >= 0.5f) {
    dev.LastMedians = now;
    UpdateMedians(dev.Stats);
  }
  if (dev.ShotWanted) {  // before the panel: it never goes into the frame
    dev.ShotWanted = false;
    SaveShot(dev);
  }
  if (dev.PanelShown || dev.Calibrating) DrawPanel(dev);
  DemoEndFrame();
}
}  // namespace

int DevMain(const TDemoOptions& options) {
  TDevState dev;
  dev.ShotDir = CurrentDirectory();  // beside data/, not among the media
  if (!DemoStartup(options)) return 1;
  if (!DevOverlayStart(Driver.Window.Handle, Driver.Window.RC)) std::fprintf(stderr, "dev: no panel: ImGui did not start\n");
  dev.Mute = Driver.Mute;
  dev.AudioOffsetMs = static_cast<int>(std::lround(options.AudioOffsetMs));
  std::string problem;
  if (!EditorLoad(dev.Editor, problem)) dev.Editor.Status = problem;
  dev.Rows = PatternRows(Driver.Track);
  WatchMedia(dev.Media);
  // Keys pressed before this went to the start-up, not to the panel.
  std::fprintf(stderr, "dev: ready (F1 panel, Escape quits)\n");
  dev.Wall = TWallClock{};
  while (!KeyDown(DIK_ESCAPE) && !Driver.QuitRequested) {
    DevFrame(dev);
    // Past the finale the demo would end: here it holds, or starts over.
    if (Driver.Track.Pattern >= LastFramePattern) {
      if (Driver.Loop) {
        Seek(dev, 0);
      } else if (!dev.Clock.Paused) {
        dev.Clock = TogglePause(dev.Clock);
        FollowClock(dev);
      }
    }
  }
  // Nothing edited is lost: what was not saved goes beside the track.
  if (EditorUnsaved(dev.Editor)) {
    const std::string aside = EditorSaveAside(dev.Editor);
    if (!aside.empty()) std::fprintf(stderr, "dev: the unsaved edits of %s are in %s\n", TrackFile, aside.c_str());
  }
  DevOverlayStop();
  DemoShutdown();
  FrameStatsReport(stderr);
  return 0;
}
