#include "scenes/Picture.h"

// Built with render to texture; draws nothing yet.
void InitPicture() {}
void RenderPicture() {}
