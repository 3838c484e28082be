// Globals: the state the driver publishes once per frame and at start-up,
// read by the sync track and the scenes. Declarations only; no code.
#pragma once
#include <GL/gl.h>

class TQTimer;
class TQRNBrush;
class TQRNDeformBrush;

extern TQTimer* DemoTimer;
extern float DemoTime;   // seconds since the demo timer started
extern float FrameTime;  // seconds between the last two clock readings
extern GLuint SpotTexture;

// The Wombat scene's model, shared with the Lakris scene.
extern TQRNDeformBrush* WombatDeform;
extern TQRNBrush* WombatBrush;
extern GLuint FlashTexture;
