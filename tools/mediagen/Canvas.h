// Canvas: a Cairo drawing surface in a picture's logical coordinates (for
// full-screen pictures 800 x 600, stretched to a power-of-two texture the
// way the demo stretches it back), read out as RGB or straight RGBA.
// Fixed font options keep text rendering independent of the machine.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/writers/TgaWriter.h"

struct TRgbImage {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Pixels;  // RGB, top row first
};

class TCanvas {
 public:
  // A surface of width x height pixels showing logicalW x logicalH units.
  TCanvas(int width, int height, double logicalW, double logicalH);
  TCanvas(int width, int height) : TCanvas(width, height, width, height) {}
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  cairo_t* Cr() const { return Context; }
  TRgbImage Rgb() const;
  TRgbaImage Rgba() const;  // un-premultiplied

 private:
  cairo_surface_t* Surface;
  cairo_t* Context;
  int W, H;
};

enum class TAlign { Left, Centre, Right };

void SetFont(cairo_t* cr, double size, bool bold = true, bool serif = false);
// Text with its baseline at y, aligned about x; returns its width.
double DrawText(cairo_t* cr, const std::string& text, double x, double y, TAlign align = TAlign::Centre);
void Rgb(cairo_t* cr, std::uint32_t hex, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// A wombat in profile, facing right, body centre at (x, y), about 2 * size
// wide. Used by several pictures so they share one character.
struct TWombatLook {
  std::uint32_t Fur = 0x6b5440, Dark = 0x2a2018, Light = 0x8c7258;
  bool Silhouette = false;
};
void DrawWombat(cairo_t* cr, double x, double y, double size, bool faceLeft, const TWombatLook& look);
