// DevTrackPanel: the panel's timeline window along the bottom: the patterns
// (click or drag to seek; drag an end to move it, Shift for that boundary
// only), the music's waveform under them with the beat grid and the ends
// over it (the wheel zooms, Shift+wheel or a right drag scrolls, hovering
// shows the time), and the editor's fields: snap, tempo and first beat, an
// end's exact time, undo, redo, save, and a change on disk to keep or take.
// Needs: ImGui (a frame begun by platform/DevOverlay), dev/DevPanel's view.
#pragma once
#include "dev/DevPanel.h"

void DrawTrackPanel(const TDevPanelView& view, TDevPanelRequest& request);
