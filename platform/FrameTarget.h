// FrameTarget: the fixed-size frame drawn offscreen when the window's
// drawable has another size, and its presentation: the whole frame scaled to
// fit with its shape kept, centred, black bars beside it.
// Mechanism: an OpenGL framebuffer object (colour texture, depth-stencil
// renderbuffer), drawn through a multisampled one (renderbuffers) and
// resolved into it when multisampling; presenting draws the texture as one
// quad with a GLSL 1.30
// program (on a software renderer that costs far less than a scaled blit),
// or blits it where the GL has no such program. In a browser
// (platform/web/WebFrameTarget) the frame is always drawn offscreen and
// presented with a scaled blit. Needs a current context.
#pragma once
#include "platform/Letterbox.h"

// Makes the frame the draw target: the offscreen one when the drawable
// differs from it, else the window's own. False when drawing goes to the
// window (also when framebuffer objects are missing).
bool FrameTargetBind(int frameWidth, int frameHeight, int drawWidth, int drawHeight);
// Samples a pixel for targets made from now on (0 or 1: none), up to what
// the GL offers.
void FrameTargetSetSamples(int samples);
// The samples of the bound target; 0 when drawing is not multisampled.
int FrameTargetSamples();
// Resolves the multisampled rectangle into the framebuffer reads use (the
// read binding while the target is bound). Nothing to do without samples.
void FrameTargetResolve(int x, int y, int width, int height);
// With `keep`, the frame is drawn offscreen at the drawable's size too, where
// it outlives a present: a held picture can be shown again without drawing.
void FrameTargetKeepOffscreen(bool keep);
// Whether the frame is drawn offscreen, and the drawable's size.
bool FrameTargetOffscreen();
int FrameTargetDrawWidth();
int FrameTargetDrawHeight();
// Draws the offscreen frame (resolved) into the window's back buffer, letterboxed,
// leaving the window's framebuffer bound and the GL state as it was.
void FrameTargetPresent();
// The context that held the target has gone.
void FrameTargetForget();
