// Opening: pattern 0, the opening picture seen through a warping lattice.
#pragma once

void InitOpening();
void RenderOpening();
