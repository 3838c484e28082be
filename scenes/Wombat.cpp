#include "scenes/Wombat.h"

bool WombatFinale = false;

// Built with meshes and the deform brush; draws nothing yet.
void InitWombat() {}
void RenderWombat() {}
