// Textures: the procedural pictures the scenes map onto things: the soft
// light spot, tileable stone, water and the licorice's environment map.
#pragma once
#include "tools/mediagen/Canvas.h"

TRgbImage SpotTexture();     // "spot.jpg": 256 x 256 soft round light on black
TRgbImage StoneTexture();    // "stein.jpg": 512 x 512, tiles seamlessly
TRgbImage WaterTexture();    // "vann.jpg": bright where the water should show
TRgbImage LicoriceEnvironment();  // "lakris.jpg": sphere map of a dark studio
