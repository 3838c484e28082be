#include "scenes/Lakris.h"

float LakrisStart = 0;

// Built with meshes, lighting and overlays; draws nothing yet.
void InitLakris() {}
void RenderLakris() {}
