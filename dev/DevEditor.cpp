// DevEditor: the editor's glue to the driver's track and to the file.
#include "dev/DevEditor.h"

#include <chrono>
#include <cstdio>

#include "dev/DevTimeline.h"
#include "driver/QRN2Base.h"
#include "platform/QuarnBASS.h"

namespace {
void Say(TDevEditor& editor, std::string status, bool error) {
  std::fprintf(stderr, "dev: %s\n", status.c_str());
  editor.Status = std::move(status);
  editor.StatusIsError = error;
}

float Snapped(const TDevEditor& editor, float time) {
  return editor.Snap && HasBeats(editor.Grid) ? SnapToBeat(editor.Grid, time) : time;
}
}  // namespace

bool EditorLoad(TDevEditor& editor, std::string& problem) {
  std::vector<std::uint8_t> bytes;
  TFileStamp stamp;
  FileStamp(TrackFile, stamp);
  if (!ReadFileBytes(TrackFile, bytes)) {
    problem = std::string("Cannot open file ") + TrackFile;
    return false;
  }
  TSync fresh;
  fresh.LoadFromBytes(bytes.data(), bytes.size());
  problem = TrackProblem(fresh);
  if (!problem.empty()) return false;
  editor.FileBytes = std::move(bytes);
  editor.Stamp = stamp;
  editor.History = NewHistory(EndsOf(fresh));
  editor.Dragging = -1;
  editor.DiskChanged = false;
  Driver.Track = fresh;
  EditorShow(editor, CurrentEnds(editor.History));
  return true;
}

void EditorShow(TDevEditor&, const TTrackEnds& ends) {
  SetEnds(Driver.Track, ends);
  const float now = Driver.Time;
  UseLoadedTrack();
  StepScenesTo(now);
}

void EditorEdit(TDevEditor& editor, const TTrackEnds& ends) {
  editor.History = Edit(editor.History, ends);
  EditorShow(editor, CurrentEnds(editor.History));
}

void EditorUndo(TDevEditor& editor) {
  if (!CanUndo(editor.History)) return;
  editor.History = Undo(editor.History);
  EditorShow(editor, CurrentEnds(editor.History));
}

void EditorRedo(TDevEditor& editor) {
  if (!CanRedo(editor.History)) return;
  editor.History = Redo(editor.History);
  EditorShow(editor, CurrentEnds(editor.History));
}

bool EditorUnsaved(const TDevEditor& editor) { return HasUnsavedEdits(editor.History); }

void EditorDrag(TDevEditor& editor, int pattern, float time, bool boundaryOnly) {
  if (editor.Dragging != pattern) {
    editor.Dragging = pattern;
    editor.DragFrom = CurrentEnds(editor.History);
  }
  editor.Selected = pattern;
  EditorShow(editor, MoveEnd(editor.DragFrom, pattern, Snapped(editor, time),
                             boundaryOnly ? TEndMove::BoundaryOnly : TEndMove::KeepLengths));
}

void EditorEndDrag(TDevEditor& editor) {
  if (editor.Dragging < 0) return;
  editor.Dragging = -1;
  EditorEdit(editor, EndsOf(Driver.Track));
}

void EditorTap(TDevEditor& editor, float heardTime) {
  TSync track = Driver.Track;
  track.Start();
  const int pattern = std::min(track.CurrentPattern(heardTime), FinalePattern);
  editor.Selected = pattern;
  EditorEdit(editor, TapEnd(CurrentEnds(editor.History), pattern, heardTime));
}

bool EditorSave(TDevEditor& editor) {
  const std::vector<std::uint8_t> bytes = PatchedTrackBytes(editor.FileBytes, CurrentEnds(editor.History));
  std::string error;
  if (!WriteFileAtomically(TrackFile, bytes, true, error)) {
    Say(editor, std::string("cannot save ") + TrackFile + ": " + error + " (the edits are kept)", true);
    return false;
  }
  editor.FileBytes = bytes;
  FileStamp(TrackFile, editor.Stamp);  // our own write is no change on disk
  editor.History = MarkSaved(editor.History);
  editor.DiskChanged = false;
  Say(editor, std::string("saved ") + TrackFile + " (the old one is " + TrackFile + ".bak)", false);
  return true;
}

std::string EditorSaveAside(TDevEditor& editor) {
  const std::string path = CurrentDirectory() + TrackFile + UnsavedSuffix;
  std::string error;
  if (!WriteFileAtomically(path, PatchedTrackBytes(editor.FileBytes, CurrentEnds(editor.History)), false, error)) {
    Say(editor, "cannot keep the unsaved edits in " + path + ": " + error, true);
    return {};
  }
  return path;
}

bool EditorPoll(TDevEditor& editor) {
  TFileStamp stamp;
  // Missing for a moment while an editor replaces it: wait for the new one.
  if (!FileStamp(TrackFile, stamp) || stamp == editor.Stamp) return false;
  if (EditorUnsaved(editor) || editor.Dragging >= 0) {
    if (!editor.DiskChanged) Say(editor, std::string(TrackFile) + " changed on disk: keep the edits or take the file", true);
    editor.DiskChanged = true;
    editor.Stamp = stamp;
    return false;
  }
  std::string problem;
  if (!EditorLoad(editor, problem)) {
    editor.Stamp = stamp;
    Say(editor, std::string(TrackFile) + ": " + problem, true);
    return false;
  }
  Say(editor, std::string(TrackFile) + " reloaded", false);
  return true;
}

void EditorTakeDisk(TDevEditor& editor) {
  std::string problem;
  if (!EditorLoad(editor, problem)) Say(editor, std::string(TrackFile) + ": " + problem, true);
  else Say(editor, std::string(TrackFile) + " taken from disk", false);
}

void EditorKeepMine(TDevEditor& editor) {
  // The file's other bytes as they are now, the edits over them.
  std::vector<std::uint8_t> bytes;
  if (ReadFileBytes(TrackFile, bytes)) editor.FileBytes = std::move(bytes);
  editor.DiskChanged = false;
  editor.Status.clear();
}

void EditorPrepareAudio(TDevEditor& editor, std::int32_t musicSample) {
  TDecodedSound sound;
  if (editor.AudioReady || !DecodedSound(musicSample, sound)) return;
  const auto began = std::chrono::steady_clock::now();
  editor.Audio = AnalyzeMusic(sound.Pcm, sound.Frames, sound.Channels, sound.Rate);
  editor.AudioMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
  editor.AudioReady = true;
  if (editor.Audio.Tempo.Bpm > 0)
    editor.Grid = {static_cast<float>(editor.Audio.Tempo.Bpm), static_cast<float>(editor.Audio.Tempo.FirstBeat)};
  std::fprintf(stderr, "dev: music drawn in %.0f ms, %.2f beats a minute from %.3f s\n", editor.AudioMs,
               editor.Audio.Tempo.Bpm, editor.Audio.Tempo.FirstBeat);
}
