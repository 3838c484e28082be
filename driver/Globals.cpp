#include "driver/Globals.h"

TQTimer* DemoTimer = nullptr;
float DemoTime = 0;
float FrameTime = 0;
GLuint SpotTexture = 0;
TQRNDeformBrush* WombatDeform = nullptr;
TQRNBrush* WombatBrush = nullptr;
GLuint FlashTexture = 0;
