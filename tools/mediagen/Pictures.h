// Pictures: the demo's painted JPEG pictures, drawn with Cairo. Full-screen
// ones are painted in 800 x 600 units on 1024 x 1024 pixels: the demo
// stretches them back to the screen, and GLU needs no resampling.
#pragma once
#include "tools/mediagen/Canvas.h"

TRgbImage OpeningPicture();   // "wombats.jpg": wombats at dusk and the title
TRgbImage StillPicture();     // "vell.jpg": the lake by moonlight
TRgbImage PicturePicture();   // "1-picture.jpg": a wombat portrait, dark below
TRgbImage OwnersStrip();      // "1-owners.jpg": credits, bright on black
TRgbImage ClosingCard();      // "timeup.jpg"
TRgbImage FlashPhoto();       // "womflash.jpg": a wombat caught by a flash

// The demo's title, as the pictures spell it.
inline constexpr const char* DemoTitle = "WOMBAT LAKRIS";
