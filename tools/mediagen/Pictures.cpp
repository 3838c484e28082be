// Pictures: layered landscapes (gradient skies, ridgelines from sums of
// sines, seeded stars) and the shared wombat character.
#include "tools/mediagen/Pictures.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Full = 1024;

struct TStops {
  std::vector<std::pair<double, std::uint32_t>> Stops;
};

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, const TStops& s) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  for (auto [at, c] : s.Stops)
    cairo_pattern_add_color_stop_rgb(g, at, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void Glow(cairo_t* cr, double x, double y, double r, std::uint32_t c, double alpha) {
  cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
  const double cr_ = ((c >> 16) & 0xFF) / 255.0, cg = ((c >> 8) & 0xFF) / 255.0, cb = (c & 0xFF) / 255.0;
  cairo_pattern_add_color_stop_rgba(g, 0, cr_, cg, cb, alpha);
  cairo_pattern_add_color_stop_rgba(g, 0.35, cr_, cg, cb, alpha * 0.35);
  cairo_pattern_add_color_stop_rgba(g, 1, cr_, cg, cb, 0);
  cairo_arc(cr, x, y, r, 0, 2 * Pi);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// A ridgeline from a few sines, filled down to the bottom of the picture.
void Ridge(cairo_t* cr, double base, double amp, double seed, std::uint32_t colour, double bottom = 600) {
  cairo_move_to(cr, -10, bottom);
  for (int x = -10; x <= 810; x += 5) {
    const double t = x / 800.0;
    const double h = std::sin(t * 7.1 + seed) * 0.5 + std::sin(t * 13.7 + seed * 2.3) * 0.25 +
                     std::sin(t * 29.3 + seed * 0.7) * 0.1;
    cairo_line_to(cr, x, base - amp * h);
  }
  cairo_line_to(cr, 810, bottom);
  cairo_close_path(cr);
  Rgb(cr, colour);
  cairo_fill(cr);
}

void Stars(cairo_t* cr, std::uint32_t seed, int count, double maxY) {
  std::uint32_t s = seed;
  auto next = [&] {
    s = s * 1664525u + 1013904223u;
    return (s >> 8) / 16777216.0;
  };
  for (int i = 0; i < count; ++i) {
    const double x = next() * 800, y = next() * maxY, r = 0.4 + next() * 1.1, a = 0.3 + next() * 0.7;
    Rgb(cr, 0xffffff, a * (1 - y / maxY * 0.7));
    cairo_arc(cr, x, y, r, 0, 2 * Pi);
    cairo_fill(cr);
  }
}

void OutlinedTitle(cairo_t* cr, const std::string& text, double x, double y, double size, std::uint32_t fill,
                   std::uint32_t glow) {
  SetFont(cr, size, true);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  const double left = x - e.x_advance / 2;
  for (int k = 6; k >= 1; --k) {
    cairo_move_to(cr, left, y);
    cairo_text_path(cr, text.c_str());
    cairo_set_line_width(cr, k * 3.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Rgb(cr, glow, 0.08);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, left, y);
  cairo_text_path(cr, text.c_str());
  Rgb(cr, fill);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  Rgb(cr, 0x000000, 0.5);
  cairo_stroke(cr);
}

}  // namespace

TRgbImage OpeningPicture() {
  TCanvas c(Full, Full, 800, 600);
  cairo_t* cr = c.Cr();
  VerticalGradient(cr, 0, 0, 800, 600, {{{0, 0x1a1040}, {0.45, 0x7a2e6a}, {0.68, 0xf07a3a}, {0.8, 0xffc060}}});
  Stars(cr, 7, 120, 220);
  Glow(cr, 560, 420, 260, 0xffd080, 0.9);
  cairo_arc(cr, 560, 420, 58, 0, 2 * Pi);
  Rgb(cr, 0xfff0c0);
  cairo_fill(cr);
  Ridge(cr, 430, 60, 1.0, 0x5a2a55);
  Ridge(cr, 470, 40, 2.7, 0x3a1a3c);
  Ridge(cr, 520, 22, 4.1, 0x1c0e20);
  const TWombatLook shadow{0, 0x0e0710, 0, true};
  DrawWombat(cr, 190, 495, 62, false, shadow);
  DrawWombat(cr, 330, 508, 40, true, shadow);
  DrawWombat(cr, 655, 500, 50, true, shadow);
  OutlinedTitle(cr, DemoTitle, 400, 150, 78, 0xfff4d8, 0xffa040);
  SetFont(cr, 22, false);
  Rgb(cr, 0xffe8c8, 0.85);
  DrawText(cr, "a Quarn2 demo", 400, 190);
  return c.Rgb();
}

TRgbImage StillPicture() {
  TCanvas c(Full, Full, 800, 600);
  cairo_t* cr = c.Cr();
  VerticalGradient(cr, 0, 0, 800, 330, {{{0, 0x050a24}, {0.7, 0x18306a}, {1, 0x3a5a9a}}});
  Stars(cr, 99, 260, 300);
  Glow(cr, 250, 120, 180, 0xc8d8ff, 0.6);
  cairo_arc(cr, 250, 120, 38, 0, 2 * Pi);
  Rgb(cr, 0xf4f6ff);
  cairo_fill(cr);
  Ridge(cr, 290, 70, 0.4, 0x1a2448, 330);
  Ridge(cr, 315, 40, 3.3, 0x0e1630, 330);
  // The lake mirrors the sky, darker, with a broken moon path.
  VerticalGradient(cr, 0, 330, 800, 270, {{{0, 0x24407a}, {0.4, 0x0c1838}, {1, 0x02040c}}});
  for (int i = 0; i < 46; ++i) {
    const double y = 338 + i * i * 0.12, w = 30 + i * 2.5 + 18 * std::sin(i * 2.1);
    Rgb(cr, 0xe8eeff, 0.55 * (1 - i / 50.0));
    RoundedRect(cr, 250 - w / 2 + 8 * std::sin(i * 1.3), y, w, 1.6 + i * 0.05, 0.8);
    cairo_fill(cr);
  }
  Ridge(cr, 560, 18, 5.0, 0x020308);
  const TWombatLook shadow{0, 0x020308, 0, true};
  DrawWombat(cr, 600, 535, 36, true, shadow);
  return c.Rgb();
}

TRgbImage PicturePicture() {
  TCanvas c(Full, Full, 800, 600);
  cairo_t* cr = c.Cr();
  VerticalGradient(cr, 0, 0, 800, 600, {{{0, 0x4aa0e8}, {0.45, 0xbfe4ff}, {0.56, 0x9ccf6a}, {0.62, 0x3c6a2a},
                                          {0.75, 0x0c1408}, {1, 0x000000}}});
  Glow(cr, 660, 70, 200, 0xffffe0, 0.8);
  // Clouds.
  for (int k = 0; k < 5; ++k) {
    const double cx = 80 + k * 170, cy = 70 + 25 * std::sin(k * 2.0);
    for (int p = 0; p < 5; ++p) {
      cairo_arc(cr, cx + (p - 2) * 22, cy - 10 * std::cos(p * 1.2), 22 + 6 * (p % 2), 0, 2 * Pi);
      Rgb(cr, 0xffffff, 0.65);
      cairo_fill(cr);
    }
  }
  Ridge(cr, 335, 26, 2.2, 0x5f8f3a, 600);
  Ridge(cr, 360, 12, 5.2, 0x3c6a2a, 600);
  VerticalGradient(cr, 0, 360, 800, 240, {{{0, 0x2c4e1e}, {0.25, 0x0d1a08}, {0.5, 0x000000}, {1, 0x000000}}});
  // Grass blades along the meadow's edge.
  for (int i = 0; i < 140; ++i) {
    const double x = i * 5.8 + 3 * std::sin(i * 7.7), h = 10 + 9 * std::fabs(std::sin(i * 3.1));
    cairo_move_to(cr, x, 372);
    cairo_curve_to(cr, x + 2, 372 - h * 0.5, x + 4, 372 - h * 0.8, x + 6 * std::sin(i), 372 - h);
    Rgb(cr, 0x4c7a30, 0.8);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }
  DrawWombat(cr, 380, 290, 118, false, TWombatLook{});
  return c.Rgb();
}

TRgbImage OwnersStrip() {
  // 800 x 233 on the screen; 1024 x 256 here.
  TCanvas c(Full, 256, 800, 233);
  cairo_t* cr = c.Cr();
  Rgb(cr, 0x000000);
  cairo_paint(cr);
  SetFont(cr, 54, true);
  Rgb(cr, 0xffe9a8);
  DrawText(cr, "THE WOMBAT OWNERS", 400, 92);
  cairo_set_line_width(cr, 3);
  Rgb(cr, 0xffb040);
  cairo_move_to(cr, 150, 118);
  cairo_line_to(cr, 650, 118);
  cairo_stroke(cr);
  SetFont(cr, 26, false);
  Rgb(cr, 0xffffff);
  DrawText(cr, "code  \xC2\xB7  pictures  \xC2\xB7  models  \xC2\xB7  music", 400, 162);
  SetFont(cr, 22, true);
  Rgb(cr, 0xa8d8ff);
  DrawText(cr, "all made by the Quarn2 team, in C++", 400, 202);
  return c.Rgb();
}

TRgbImage ClosingCard() {
  TCanvas c(Full, Full, 800, 600);
  cairo_t* cr = c.Cr();
  VerticalGradient(cr, 0, 0, 800, 600, {{{0, 0x0a0a1a}, {1, 0x1a0a20}}});
  Glow(cr, 400, 250, 330, 0x5040a0, 0.5);
  // A clock face stopped at midnight.
  cairo_arc(cr, 400, 220, 95, 0, 2 * Pi);
  Rgb(cr, 0xf4ead8);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 8);
  Rgb(cr, 0xc04030);
  cairo_stroke(cr);
  for (int h = 0; h < 12; ++h) {
    const double a = h * Pi / 6;
    cairo_move_to(cr, 400 + 74 * std::sin(a), 220 - 74 * std::cos(a));
    cairo_line_to(cr, 400 + 84 * std::sin(a), 220 - 84 * std::cos(a));
  }
  cairo_set_line_width(cr, 4);
  Rgb(cr, 0x302020);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 9);
  cairo_move_to(cr, 400, 220);
  cairo_line_to(cr, 400, 160);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 5);
  cairo_move_to(cr, 400, 220);
  cairo_line_to(cr, 400, 140);
  cairo_stroke(cr);
  OutlinedTitle(cr, "TIME'S UP", 400, 410, 84, 0xffd860, 0xff7030);
  SetFont(cr, 26, false);
  Rgb(cr, 0xe0d8ff);
  DrawText(cr, "the wombats have gone to bed", 400, 460);
  SetFont(cr, 20, false);
  Rgb(cr, 0xa098c0);
  DrawText(cr, std::string(DemoTitle) + "  \xC2\xB7  thanks for watching", 400, 560);
  return c.Rgb();
}

TRgbImage FlashPhoto() {
  TCanvas c(512, 512);
  cairo_t* cr = c.Cr();
  Rgb(cr, 0x06070a);
  cairo_paint(cr);
  // Undergrowth lit near the subject, falling off into the night.
  Glow(cr, 256, 300, 300, 0x40503a, 0.8);
  for (int i = 0; i < 90; ++i) {
    const double x = (i * 97) % 512, len = 40 + (i * 31) % 70;
    cairo_move_to(cr, x, 512);
    cairo_curve_to(cr, x + 10, 512 - len * 0.5, x - 6, 512 - len * 0.8, x + ((i % 5) - 2) * 8, 512 - len);
    Rgb(cr, 0x8a9a60, 0.25 + 0.05 * (i % 4));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
  }
  DrawWombat(cr, 200, 300, 118, false, TWombatLook{0x9a8468, 0x3a2c20, 0xd8c4a0, false});
  // Eyeshine from the flash.
  Glow(cr, 200 + 106 * 1.18, 300 - 18 * 1.18, 14, 0xfff0c0, 1.0);
  Rgb(cr, 0xffffff, 0.15);
  cairo_paint(cr);
  SetFont(cr, 14, false);
  Rgb(cr, 0xffa040, 0.9);
  DrawText(cr, "02:14  WOMBAT CAM 3", 500, 496, TAlign::Right);
  return c.Rgb();
}
