// DevPanel: two ImGui windows, the status at the top left and the timeline
// along the bottom (dev/DevTrackPanel).
#include "dev/DevPanel.h"

#include <imgui.h>

#include "dev/DevTrackPanel.h"

#include <cstdio>

namespace {
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
  if (!view.LastShot.empty()) ImGui::Text("saved %s", view.LastShot.c_str());
  if (!view.MediaProblem.empty()) ImGui::TextColored(ImVec4(1, 0.4f, 0.4f, 1), "%s", view.MediaProblem.c_str());
  ImGui::TextDisabled("F1 panel  Space pause  Left/Right 5 s  PgUp/PgDn pattern  Home start");
  ImGui::TextDisabled("L loop pattern  . step  1-4 speed 1/4x 1x 2x 4x  F12 picture  Esc quit");
  ImGui::TextDisabled("C calibrate the sound's delay  T end the pattern heard now");
  ImGui::TextDisabled("Ctrl+Z undo  Ctrl+Shift+Z redo  Ctrl+S save test.snc");
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
  TDevPanelRequest request;
  DrawTrackPanel(view, request);
  return request;
}
