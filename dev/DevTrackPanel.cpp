// DevTrackPanel: the timeline window, drawn each frame from the editor.
#include "dev/DevTrackPanel.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr float StripHeight = 40, WaveHeight = 64;
constexpr float HandlePixels = 5;  // how near an end the mouse takes it
constexpr float WheelZoom = 0.8f;  // the view's width a wheel step keeps

ImU32 SceneColour(const TDemoScene* scene) {
  static const ImU32 colours[DemoSceneCount] = {IM_COL32(70, 90, 160, 255), IM_COL32(110, 110, 110, 255),
                                                IM_COL32(60, 140, 90, 255), IM_COL32(150, 110, 50, 255),
                                                IM_COL32(130, 70, 140, 255), IM_COL32(160, 60, 60, 255)};
  return scene ? colours[scene - DemoScenes] : IM_COL32(40, 40, 40, 255);
}

// The end within reach of the mouse, or -1.
int EndNear(const std::vector<TPatternRow>& rows, const TTimelineView& shown, float width, float mouseX) {
  int best = -1;
  float nearest = HandlePixels;
  for (const TPatternRow& row : rows) {
    const float d = std::abs(ViewX(row.End, shown, width) - mouseX);
    if (row.End > row.Begin && d <= nearest) best = row.Pattern, nearest = d;
  }
  return best;
}

void DrawStrip(const TDevPanelView& view, const TTimelineView& shown, ImVec2 origin, float width, int hot) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->PushClipRect(origin, ImVec2(origin.x + width, origin.y + StripHeight + WaveHeight), true);
  for (const TPatternRow& row : *view.Rows) {
    if (row.End <= row.Begin) continue;  // a pattern the track does not have
    const float x0 = origin.x + ViewX(row.Begin, shown, width), x1 = origin.x + ViewX(row.End, shown, width);
    draw->AddRectFilled(ImVec2(x0, origin.y), ImVec2(x1, origin.y + StripHeight), SceneColour(row.Scene));
    char label[8];
    std::snprintf(label, sizeof label, "%d", row.Pattern);
    if (x1 - x0 > ImGui::CalcTextSize(label).x + 4)
      draw->AddText(ImVec2(x0 + 3, origin.y + 2), IM_COL32(255, 255, 255, 255), label);
  }
  // The music under the patterns, the beats and the ends over it.
  const float mid = origin.y + StripHeight + WaveHeight / 2;
  draw->AddRectFilled(ImVec2(origin.x, origin.y + StripHeight), ImVec2(origin.x + width, origin.y + StripHeight + WaveHeight),
                      IM_COL32(20, 20, 24, 255));
  const TDevEditor& editor = *view.Editor;
  if (editor.AudioReady) {
    const std::vector<TPeak> peaks = PeakColumns(editor.Audio.Peaks, shown.Begin, shown.End, static_cast<int>(width));
    for (std::size_t c = 0; c < peaks.size(); ++c) {
      const float x = origin.x + static_cast<float>(c) + 0.5f;
      draw->AddLine(ImVec2(x, mid - peaks[c].Max * WaveHeight / 2), ImVec2(x, mid - peaks[c].Min * WaveHeight / 2 + 1),
                    IM_COL32(120, 170, 220, 255));
    }
  }
  const std::vector<float> beats = BeatsBetween(editor.Grid, shown.Begin, shown.End);
  // Beats closer than four pixels would hide the waveform.
  if (!beats.empty() && width / static_cast<float>(beats.size()) >= 4)
    for (const float beat : beats) {
      const float x = origin.x + ViewX(beat, shown, width);
      draw->AddLine(ImVec2(x, origin.y + StripHeight), ImVec2(x, origin.y + StripHeight + WaveHeight),
                    IM_COL32(255, 255, 255, 40));
    }
  for (const TPatternRow& row : *view.Rows) {
    if (row.End <= row.Begin) continue;
    const float x = origin.x + ViewX(row.End, shown, width);
    const bool lit = row.Pattern == hot || row.Pattern == editor.Dragging;
    draw->AddLine(ImVec2(x, origin.y), ImVec2(x, origin.y + StripHeight + WaveHeight),
                  lit ? IM_COL32(255, 220, 80, 255) : IM_COL32(0, 0, 0, 255), lit ? 3.0f : 1.0f);
  }
  const float now = origin.x + ViewX(view.Time, shown, width);
  draw->AddLine(ImVec2(now, origin.y - 2), ImVec2(now, origin.y + StripHeight + WaveHeight + 2),
                IM_COL32(255, 255, 0, 255), 2);
  draw->PopClipRect();
}

// Mouse on the strip and the waveform: seeks, drags of an end, zoom, scroll.
void HandleMouse(const TDevPanelView& view, const TTimelineView& shown, ImVec2 origin, float width, float length,
                 TDevPanelRequest& request, int& hot) {
  ImGuiIO& io = ImGui::GetIO();
  const float mouseX = io.MousePos.x - origin.x;
  const float mouseTime = ViewTime(mouseX, shown, width);
  const TDevEditor& editor = *view.Editor;
  ImGui::InvisibleButton("track", ImVec2(width, StripHeight + WaveHeight),
                         ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight);
  const bool hovered = ImGui::IsItemHovered(), active = ImGui::IsItemActive();
  hot = hovered ? EndNear(*view.Rows, shown, width, mouseX) : -1;
  if (hot >= 0 || editor.Dragging >= 0) ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeEW);
  if (ImGui::IsItemActivated() && ImGui::IsMouseDown(ImGuiMouseButton_Left) && hot >= 0) {
    request.DragPattern = hot;
  } else if (active && editor.Dragging >= 0 && ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
    request.DragPattern = editor.Dragging;
  } else if (active && ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
    request.Seek = true;
    request.SeekTime = std::clamp(mouseTime, 0.0f, length);
  }
  if (request.DragPattern >= 0) {
    request.DragTime = mouseTime;
    request.DragBoundaryOnly = io.KeyShift;
  }
  if (editor.Dragging >= 0 && !ImGui::IsMouseDown(ImGuiMouseButton_Left)) request.DragEnded = true;
  if (active && ImGui::IsMouseDragging(ImGuiMouseButton_Right))
    *view.View = ScrollView(shown, -io.MouseDelta.x / width * (shown.End - shown.Begin), length);
  if (hovered && io.MouseWheel != 0) {
    *view.View = io.KeyShift ? ScrollView(shown, -io.MouseWheel * (shown.End - shown.Begin) / 10, length)
                             : ZoomView(shown, mouseTime, std::pow(WheelZoom, io.MouseWheel), length);
  }
  if (hovered) {
    const TPatternRow* row = nullptr;
    for (const TPatternRow& r : *view.Rows)
      if (r.End > r.Begin && mouseTime >= r.Begin && mouseTime <= r.End) row = &r;
    if (row)
      ImGui::SetTooltip("%.3f s  pattern %d, %s (%.3f - %.3f s)", mouseTime, row->Pattern,
                        row->Scene ? row->Scene->Name : "-", row->Begin, row->End);
    else
      ImGui::SetTooltip("%.3f s", mouseTime);
  }
}

void DrawFields(const TDevPanelView& view, TDevPanelRequest& request) {
  const TDevEditor& editor = *view.Editor;
  bool snap = editor.Snap;
  float bpm = editor.Grid.BeatsPerMinute, first = editor.Grid.FirstBeat;
  ImGui::SetNextItemWidth(70);
  const bool tempo = ImGui::InputFloat("bpm", &bpm, 0, 0, "%.2f", ImGuiInputTextFlags_EnterReturnsTrue);
  ImGui::SameLine();
  ImGui::SetNextItemWidth(70);
  const bool beat = ImGui::InputFloat("first beat", &first, 0, 0, "%.3f", ImGuiInputTextFlags_EnterReturnsTrue);
  ImGui::SameLine();
  const bool snapped = ImGui::Checkbox("snap", &snap);
  ImGui::SameLine();
  bool proposed = false;
  if (editor.AudioReady && editor.Audio.Tempo.Bpm > 0) {
    proposed = ImGui::SmallButton("from the music");
    if (proposed)
      bpm = static_cast<float>(editor.Audio.Tempo.Bpm), first = static_cast<float>(editor.Audio.Tempo.FirstBeat);
    ImGui::SameLine();
  }
  if (tempo || beat || snapped || proposed) {
    request.GridChanged = true;
    request.Grid = {bpm, first};
    request.Snap = snap;
  }
  const int selected = std::clamp(editor.Selected, 0, FinalePattern);
  float end = CurrentEnds(editor.History)[selected];
  char label[32];
  std::snprintf(label, sizeof label, "end of %d", selected);
  ImGui::SetNextItemWidth(80);
  if (ImGui::InputFloat(label, &end, 0, 0, "%.3f", ImGuiInputTextFlags_EnterReturnsTrue)) {
    request.TypedPattern = selected;
    request.TypedTime = end;
  }
  ImGui::SameLine();
  if (ImGui::SmallButton("undo")) request.Undo = true;
  ImGui::SameLine();
  if (ImGui::SmallButton("redo")) request.Redo = true;
  ImGui::SameLine();
  if (ImGui::SmallButton("save")) request.Save = true;
  ImGui::SameLine();
  ImGui::Text("%s%s", TrackFile, EditorUnsaved(editor) ? " *unsaved*" : "");
  if (editor.DiskChanged) {
    ImGui::SameLine();
    if (ImGui::SmallButton("keep my edits")) request.KeepMine = true;
    ImGui::SameLine();
    if (ImGui::SmallButton("take the file")) request.TakeDisk = true;
  }
  if (!editor.Status.empty()) {
    const ImVec4 colour = editor.StatusIsError ? ImVec4(1, 0.4f, 0.4f, 1) : ImVec4(0.6f, 0.9f, 0.6f, 1);
    ImGui::TextColored(colour, "%s", editor.Status.c_str());
  }
}
}  // namespace

void DrawTrackPanel(const TDevPanelView& view, TDevPanelRequest& request) {
  const float length = TimelineLength(*view.Rows);
  const TTimelineView shown = ShownView(*view.View, length);
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  const float height = StripHeight + WaveHeight + 86;
  ImGui::SetNextWindowPos(ImVec2(8, display.y - height - 8), ImGuiCond_Always);
  ImGui::SetNextWindowSize(ImVec2(display.x - 16, height), ImGuiCond_Always);
  ImGui::Begin("Timeline", nullptr, ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoCollapse |
                                         ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
  const ImVec2 origin = ImGui::GetCursorScreenPos();
  const float width = ImGui::GetContentRegionAvail().x;
  int hot = -1;
  HandleMouse(view, shown, origin, width, length, request, hot);
  DrawStrip(view, shown, origin, width, hot);
  ImGui::Text("%.2f s", shown.Begin);
  ImGui::SameLine(width - 60);
  ImGui::Text("%.2f s", shown.End);
  DrawFields(view, request);
  ImGui::End();
}
