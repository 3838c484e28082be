// Overlays: the Lakris scene's seven TGA pictures with alpha. "diag\1.tga"
// is a full-screen title card that fades out; "diag\2.tga" to "diag\7.tga"
// are diagram panels shown at 350 x 350 on transparent ground.
#pragma once
#include "tools/writers/TgaWriter.h"

// k = 1 .. 7.
TRgbaImage Overlay(int k);
// Uncompressed for the even ones, run-length for the odd ones: the demo's
// loaders see both kinds.
TTgaEncoding OverlayEncoding(int k);
