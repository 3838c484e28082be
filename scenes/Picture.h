// Picture: patterns 2 and 3, a picture with a smeared caption strip.
#pragma once

void InitPicture();
void RenderPicture();
