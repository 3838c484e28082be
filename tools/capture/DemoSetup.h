// DemoSetup: what a tool does to run the demo's frames headless: SDL's
// offscreen video and silent audio, the demo's directory, and where the
// demo ends on a fixed-step clock.
// Needs: platform/Process, platform/Files, sync/, frames/FrameClock.
#pragma once
#include <string>

#include "sync/Sync.h"

// Offscreen video, no audio device, messages on stderr. Call before SDL starts.
void UseHeadlessDrivers();

// Enters `dir`, the directory the demo would be started in (holding data/)
// or the data directory itself. False, with the reason, when it cannot be
// entered or holds no "test.snc" in either place.
bool EnterDemoDirectory(const std::string& dir, std::string& error);

// The last frame the demo draws at `fps`: the first whose pattern passes the finale
// (the "timeup.jpg" frame). Runs a copy of the track on a timer like the
// demo's, so it agrees with the frame loop to the frame. -1 when the demo
// never gets there (a zero entry holds it), or not within `limit` frames.
// Moves the frame clock.
long long LastDemoFrame(const TSync& track, int fps, long long limit);
