// Lakris: patterns 6 to 17, the landscape with waving water and overlays.
#pragma once

extern float LakrisStart;  // demo time at which pattern 6 ends

void InitLakris();
void RenderLakris();
