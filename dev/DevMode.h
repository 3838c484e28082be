// DevMode: `demo --dev`, the demo under a development panel: pause, speed,
// seeking by time or pattern, a pattern looped, the sync track read again
// when it changes on disk, and pictures of the frame on F12.
// Needs: the driver (driver/QRN2Base), platform/DevOverlay, dev/DevPanel.
#pragma once
#include "driver/CommandLine.h"

// Start-up, the development loop, shutdown; the exit status. Throws
// EInOutError for a missing "test.snc" at start-up, as DemoMain does.
int DevMain(const TDemoOptions& options);
