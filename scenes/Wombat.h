// Wombat: patterns 4, 5 and the finale (18), the furry wombat model.
#pragma once

extern bool WombatFinale;  // set by the driver in every frame of pattern 18

void InitWombat();
void RenderWombat();
