// DevPanel: two ImGui windows, the timeline along the bottom and the status
// at the top left.
#include "dev/DevPanel.h"

#include <imgui.h>

#include <cstdio>

namespace {
// One colour a scene, so a scene's patterns read as one block.
ImU32 SceneColour(const TDemoScene* scene) {
  static const ImU32 colours[DemoSceneCount] = {IM_COL32(70, 90, 160, 255), IM_COL32(110, 110, 110, 255),
                                                IM_COL32(60, 140, 90, 255), IM_COL32(150, 110, 50, 255),
                                                IM_COL32(130, 70, 140, 255), IM_COL32(160, 60, 60, 255)};
  return scene ? colours[scene - DemoScenes] : IM_COL32(40, 40, 40, 255);
}

TDevPanelRequest DrawTimeline(const TDevPanelView& view) {
  TDevPanelRequest request;
  const std::vector<TPatternRow>& rows = *view.Rows;
  const float length = TimelineLength(rows);
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(8, display.y - 104), ImGuiCond_Always);
  ImGui::SetNextWindowSize(ImVec2(display.x - 16, 96), ImGuiCond_Always);
  ImGui::Begin("Timeline", nullptr, ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoCollapse |
                                         ImGuiWindowFlags_NoScrollbar);
  const ImVec2 origin = ImGui::GetCursorScreenPos();
  const float width = ImGui::GetContentRegionAvail().x, height = 40;
  ImGui::InvisibleButton("patterns", ImVec2(width, height));
  if (ImGui::IsItemActive()) {  // a click or a drag
    request.Seek = true;
    request.SeekTime = TimelineTime(ImGui::GetIO().MousePos.x - origin.x, length, width);
  }
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const TPatternRow* hovered = nullptr;
  for (const TPatternRow& row : rows) {
    if (row.End <= row.Begin) continue;  // a pattern the track does not have
    const float x0 = origin.x + TimelineX(row.Begin, length, width);
    const float x1 = origin.x + TimelineX(row.End, length, width);
    draw->AddRectFilled(ImVec2(x0, origin.y), ImVec2(x1, origin.y + height), SceneColour(row.Scene));
    draw->AddLine(ImVec2(x1, origin.y), ImVec2(x1, origin.y + height), IM_COL32(0, 0, 0, 255));
    char label[8];
    std::snprintf(label, sizeof label, "%d", row.Pattern);
    if (x1 - x0 > ImGui::CalcTextSize(label).x + 4)
      draw->AddText(ImVec2(x0 + 3, origin.y + 2), IM_COL32(255, 255, 255, 255), label);
    const float mouse = ImGui::GetIO().MousePos.x;
    if (ImGui::IsItemHovered() && mouse >= x0 && mouse < x1) hovered = &row;
  }
  const float now = origin.x + TimelineX(view.Time, length, width);
  draw->AddLine(ImVec2(now, origin.y - 2), ImVec2(now, origin.y + height + 2), IM_COL32(255, 255, 0, 255), 2);
  if (hovered)
    ImGui::SetTooltip("pattern %d: %.3f - %.3f s, %s", hovered->Pattern, hovered->Begin, hovered->End,
                      hovered->Scene ? hovered->Scene->Name : "-");
  ImGui::Text("0 s");
  ImGui::SameLine(width - 60);
  ImGui::Text("%.1f s", length);
  ImGui::End();
  return request;
}

void DrawStatus(const TDevPanelView& view) {
  const TDevStats& stats = *view.Stats;
  const std::vector<TPatternRow>& rows = *view.Rows;
  ImGui::SetNextWindowPos(ImVec2(8, 8), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowBgAlpha(0.8f);
  ImGui::Begin("Development", nullptr, ImGuiWindowFlags_AlwaysAutoResize);
  const TPatternRow* row = view.Pattern >= 0 && view.Pattern < static_cast<int>(rows.size()) ? &rows[view.Pattern] : nullptr;
  ImGui::Text("time %.3f s   pattern %d (%s)", view.Time, view.Pattern,
              row && row->Scene ? row->Scene->Name : "end");
  if (row) ImGui::Text("pattern %.3f - %.3f s", row->Begin, row->End);
  ImGui::Text("%s  speed %gx%s", view.Clock.Paused ? "PAUSED" : "playing", DevSpeeds[view.Clock.Speed],
              MusicPlays(view.Clock, view.Mute) ? "" : "  (music off)");
  if (view.Clock.LoopPattern >= 0) ImGui::Text("looping pattern %d", view.Clock.LoopPattern);
  char overlay[48];
  std::snprintf(overlay, sizeof overlay, "%.1f fps", GraphFramesPerSecond(stats));
  ImGui::PlotLines("frame time", stats.Graph.data(), DevGraphFrames, stats.GraphNext, overlay, 0.0f, 0.05f,
                   ImVec2(300, 60));
  // An underrun shows as a step down: the sound, and the clock with it, held.
  ImGui::PlotLines("audio - wall", stats.Drift.data(), DevGraphFrames, stats.DriftNext, "ms, +-50", -50.0f, 50.0f,
                   ImVec2(300, 40));
  if (view.Underruns >= 0)
    ImGui::Text("audio: %ld underruns, offset %d ms", view.Underruns, view.AudioOffsetMs);
  if (ImGui::BeginTable("scenes", 2, ImGuiTableFlags_SizingFixedFit)) {
    for (int s = 0; s < DemoSceneCount; ++s) {
      ImGui::TableNextRow();
      ImGui::TableNextColumn();
      ImGui::TextUnformatted(DemoScenes[s].Name);
      ImGui::TableNextColumn();
      if (stats.SceneMedian[s] > 0)
        ImGui::Text("median %.2f ms", stats.SceneMedian[s] * 1000);
      else
        ImGui::TextDisabled("-");
    }
    ImGui::EndTable();
  }
  if (!view.TrackError.empty()) ImGui::TextColored(ImVec4(1, 0.4f, 0.4f, 1), "test.snc: %s", view.TrackError.c_str());
  if (!view.LastShot.empty()) ImGui::Text("saved %s", view.LastShot.c_str());
  ImGui::TextDisabled("F1 panel  Space pause  Left/Right 5 s  PgUp/PgDn pattern  Home start");
  ImGui::TextDisabled("L loop pattern  . step  1-4 speed 1/4x 1x 2x 4x  F12 picture  Esc quit");
  ImGui::TextDisabled("C calibrate the sound's delay");
  ImGui::End();
}

// A click on every beat and a white screen on it: Up and Down move the
// sound until the two meet.
void DrawCalibration(const TDevPanelView& view) {
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::GetBackgroundDrawList()->AddRectFilled(ImVec2(0, 0), display, view.Flash ? IM_COL32_WHITE : IM_COL32_BLACK);
  ImGui::SetNextWindowPos(ImVec2(display.x / 2, display.y - 16), ImGuiCond_Always, ImVec2(0.5f, 1));
  ImGui::Begin("Calibration", nullptr, ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove);
  ImGui::Text("The screen flashes on every click: Up plays the sound later, Down earlier.");
  ImGui::Text("Offset %+d ms. Where they meet, play with  --audio-offset %d", view.AudioOffsetMs, view.AudioOffsetMs);
  ImGui::TextDisabled("C back to the demo");
  ImGui::End();
}
}  // namespace

TDevPanelRequest DrawDevPanel(const TDevPanelView& view) {
  if (view.Calibrating) {
    DrawCalibration(view);
    return {};
  }
  DrawStatus(view);
  return DrawTimeline(view);
}
