#include "scenes/Opening.h"

// Built with the grid and texture registry; draws nothing yet.
void InitOpening() {}
void RenderOpening() {}
