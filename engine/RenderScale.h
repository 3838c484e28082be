// RenderScale: how many pixels the frame has per unit of its fixed logical
// size (800x600). The scenes and the 2D overlays work in units everywhere;
// only viewports, the render texture's square and line widths are pixels,
// and they take the scale from here. Scale 1 is one pixel a unit.
// Needs: nothing (plain numbers); OpenWindow sets the scale of its window.
#pragma once
#include <string_view>

// How the next window chooses its scale.
enum class TScaleChoice {
  Fixed,   // the value given
  Native,  // the largest that fits the screen (or the window)
  Auto,    // native on a GPU, 1 on a software renderer
};

struct TFrameQuality {
  TScaleChoice Scale = TScaleChoice::Fixed;
  double Value = 1;  // for Fixed
  int Samples = 0;   // multisampling: 0 off, -1 the renderer's default
};

// The scales a frame may be asked for.
constexpr double SmallestRenderScale = 0.25, LargestRenderScale = 8;

struct TRenderScale {
  double Scale = 1;               // pixels per unit
  int Width = 800, Height = 600;  // the frame in pixels
};

// "0", "2", "4" or "8", the sample counts a frame may be asked for.
bool ParseSampleCount(std::string_view text, int& samples);

// The frame of width x height units drawn at `scale`.
TRenderScale RenderScaleOf(double scale, int width, int height);
// The largest scale at which width x height units fit in drawWidth x
// drawHeight pixels; 1 when the drawable has no size.
double FittingScale(int width, int height, int drawWidth, int drawHeight);

void SetRenderScale(const TRenderScale& scale);
const TRenderScale& CurrentRenderScale();
// `units` of the logical frame in pixels, rounded.
int ScaledPixels(double units);
