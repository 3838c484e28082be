// Overlays: panels are painted in 350 x 350 units, the size they are shown
// at, on 512 x 512 pixels. Transparent pixels carry the panel's accent
// colour: filtering then blends edges towards it instead of towards black,
// and the scene's bar, which takes the colour of an image's top-left texel,
// shows that accent.
#include "tools/mediagen/Overlays.h"

#include <cmath>
#include <stdexcept>

#include "tools/mediagen/Arrangement.h"
#include "tools/mediagen/Canvas.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Unit = 350;

struct TPanelStyle {
  std::uint32_t Accent;
  const char* Title;
};

// Straight-alpha pixels with zero alpha get the accent colour.
TRgbaImage WithGround(TRgbaImage img, std::uint32_t accent) {
  for (std::size_t i = 0; i < img.Pixels.size(); i += 4)
    if (img.Pixels[i + 3] == 0) {
      img.Pixels[i] = static_cast<std::uint8_t>(accent >> 16);
      img.Pixels[i + 1] = static_cast<std::uint8_t>(accent >> 8);
      img.Pixels[i + 2] = static_cast<std::uint8_t>(accent);
    }
  return img;
}

void Panel(cairo_t* cr, const TPanelStyle& s) {
  RoundedRect(cr, 8, 8, Unit - 16, Unit - 16, 22);
  Rgb(cr, 0x0a0c18, 0.72);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 3);
  Rgb(cr, s.Accent, 0.95);
  cairo_stroke(cr);
  // The title shrinks to fit between the panel's rounded corners.
  double size = 24;
  cairo_text_extents_t e;
  do {
    SetFont(cr, size, true);
    cairo_text_extents(cr, s.Title, &e);
    size -= 1;
  } while (e.x_advance > Unit - 70 && size > 10);
  Rgb(cr, s.Accent);
  DrawText(cr, s.Title, Unit / 2, 46);
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 40, 58);
  cairo_line_to(cr, Unit - 40, 58);
  cairo_stroke(cr);
}

void Label(cairo_t* cr, const std::string& text, double x, double y, double size = 14, TAlign a = TAlign::Centre,
           std::uint32_t colour = 0xf0f0f0) {
  SetFont(cr, size, false);
  Rgb(cr, colour);
  DrawText(cr, text, x, y, a);
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, std::uint32_t colour) {
  Rgb(cr, colour);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  const double a = std::atan2(y1 - y0, x1 - x0);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x1 - 9 * std::cos(a - 0.4), y1 - 9 * std::sin(a - 0.4));
  cairo_line_to(cr, x1 - 9 * std::cos(a + 0.4), y1 - 9 * std::sin(a + 0.4));
  cairo_close_path(cr);
  cairo_fill(cr);
}

TRgbaImage TitleCard() {
  constexpr std::uint32_t ground = 0x101a3a;
  TCanvas c(1024, 1024, 800, 600);
  cairo_t* cr = c.Cr();
  Rgb(cr, ground);
  cairo_paint(cr);
  // Ripples spreading from the middle, as on the lake.
  for (int k = 1; k <= 9; ++k) {
    cairo_save(cr);
    cairo_translate(cr, 400, 330);
    cairo_scale(cr, 1.0, 0.3);
    cairo_arc(cr, 0, 0, 40.0 * k, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_set_line_width(cr, 2.5);
    Rgb(cr, 0x4070c0, 0.55 - k * 0.05);
    cairo_stroke(cr);
  }
  SetFont(cr, 96, true, true);
  Rgb(cr, 0xf4f0e8);
  DrawText(cr, "LAKRIS", 400, 290);
  SetFont(cr, 30, false, true);
  Rgb(cr, 0x9cc4ff);
  DrawText(cr, "the lake of licorice", 400, 345);
  SetFont(cr, 18, false);
  Rgb(cr, 0x8090b8);
  DrawText(cr, "part two of " + std::string("WOMBAT LAKRIS"), 400, 520);
  return WithGround(c.Rgba(), ground);
}

void AnatomyPanel(cairo_t* cr) {
  const TPanelStyle s{0xffb060, "ANATOMY OF A WOMBAT"};
  Panel(cr, s);
  DrawWombat(cr, 150, 190, 58, false, TWombatLook{});
  Arrow(cr, 250, 110, 222, 158, s.Accent);
  Label(cr, "broad blunt head", 250, 100, 13);
  Arrow(cr, 80, 110, 118, 150, s.Accent);
  Label(cr, "barrel body", 80, 100, 13);
  Arrow(cr, 110, 280, 115, 235, s.Accent);
  Label(cr, "short legs, big claws", 120, 298, 13);
  Label(cr, "hair: 40 strands per vertex", Unit / 2, 322, 13, TAlign::Centre, 0xffe0b0);
}

void LakePanel(cairo_t* cr) {
  const TPanelStyle s{0x60c8ff, "THE LAKE"};
  Panel(cr, s);
  for (int k = 1; k <= 5; ++k) {
    cairo_save(cr);
    cairo_translate(cr, Unit / 2, 130);
    cairo_scale(cr, 1.0, 0.35);
    cairo_arc(cr, 0, 0, 26.0 * k, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_set_line_width(cr, 2);
    Rgb(cr, s.Accent, 1.0 - k * 0.15);
    cairo_stroke(cr);
  }
  // One cross-section of the wave.
  cairo_set_line_width(cr, 2.5);
  Rgb(cr, 0xffffff);
  for (int x = 0; x <= 260; x += 2) {
    const double y = 225 - 22 * std::sin(x * 2.5 / 18.0);
    x == 0 ? cairo_move_to(cr, 45 + x, y) : cairo_line_to(cr, 45 + x, y);
  }
  cairo_stroke(cr);
  Rgb(cr, 0x8090a0);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 40, 225);
  cairo_line_to(cr, 310, 225);
  cairo_stroke(cr);
  Label(cr, "distance d from the middle", Unit / 2, 268, 12, TAlign::Centre, 0xa0b0c0);
  SetFont(cr, 20, true, true);
  Rgb(cr, 0xffffff);
  DrawText(cr, "h = 3 sin(2.5 (d + t))", Unit / 2, 310);
}

void LicoricePanel(cairo_t* cr) {
  const TPanelStyle s{0xe070ff, "LICORICE"};
  Panel(cr, s);
  // A trefoil, drawn thick and glossy like the model.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i <= 360; ++i) {
      const double t = i * 2 * Pi / 360;
      const double x = Unit / 2 + 48 * (std::sin(t) + 2 * std::sin(2 * t));
      const double y = 175 + 48 * (std::cos(t) - 2 * std::cos(2 * t)) * 0.8;
      i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
    }
    cairo_set_line_width(cr, pass == 0 ? 22 : 6);
    Rgb(cr, pass == 0 ? 0x101010 : 0x707070, 1.0);
    cairo_stroke(cr);
  }
  Label(cr, "twisted, knotted, 100% black", Unit / 2, 300, 14);
  Label(cr, "gloss: a sphere map", Unit / 2, 322, 13, TAlign::Centre, s.Accent);
}

void CameraPanel(cairo_t* cr) {
  const TPanelStyle s{0x80ff90, "THE CAMERA"};
  Panel(cr, s);
  const double cx = Unit / 2, cy = 185;
  cairo_arc(cr, cx, cy, 95, 0, 2 * Pi);
  cairo_set_line_width(cr, 2);
  const double dash[] = {6, 6};
  cairo_set_dash(cr, dash, 2, 0);
  Rgb(cr, s.Accent);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_arc(cr, cx, cy, 95, -0.2, 1.0);
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  Arrow(cr, cx + 95 * std::cos(0.95), cy + 95 * std::sin(0.95), cx + 95 * std::cos(1.15), cy + 95 * std::sin(1.15),
        s.Accent);
  Rgb(cr, 0xffffff);
  RoundedRect(cr, cx + 95 * std::cos(-0.2) - 12, cy + 95 * std::sin(-0.2) - 9, 24, 18, 4);
  cairo_fill(cr);
  Rgb(cr, 0x202020);
  cairo_arc(cr, cx, cy, 12, 0, 2 * Pi);
  cairo_fill(cr);
  Arrow(cr, cx, cy, cx - 90, cy + 30, 0xc0c0c0);
  Label(cr, "90 units", cx - 52, cy + 4, 13);
  Label(cr, "60\xC2\xB0 a second, from 4 s to 7.8 s", Unit / 2, 316, 13, TAlign::Centre, s.Accent);
}

void SyncPanel(cairo_t* cr) {
  const TPanelStyle s{0xffe060, "THE SYNC TRACK"};
  Panel(cr, s);
  const std::vector<int> starts = PatternStartBars();
  const double total = starts.back(), x0 = 34, w = Unit - 68;
  const std::uint32_t scene[] = {0xf07a3a, 0x3a5a9a, 0x9ccf6a, 0x9ccf6a, 0x8c7258, 0x8c7258, 0x4060c0};
  for (std::size_t p = 0; p + 1 < starts.size(); ++p) {
    const std::uint32_t colour = p < 7 ? scene[p] : p < 18 ? 0x3070e0 : 0x8c7258;
    const double a = x0 + w * starts[p] / total, b = x0 + w * starts[p + 1] / total;
    Rgb(cr, colour);
    cairo_rectangle(cr, a, 120, b - a - 1.5, 60);
    cairo_fill(cr);
    if (p % 3 == 0 || p == 18) Label(cr, std::to_string(p), (a + b) / 2, 200, 11, TAlign::Centre, 0xd0d0d0);
  }
  Label(cr, "patterns on bar lines, 120 beats a minute", Unit / 2, 100, 13);
  Label(cr, "warp  still  picture  wombat  lake  finale", Unit / 2, 240, 13, TAlign::Centre, 0xffffff);
  Label(cr, "one table writes both the music", Unit / 2, 290, 13, TAlign::Centre, s.Accent);
  Label(cr, "and test.snc", Unit / 2, 310, 13, TAlign::Centre, s.Accent);
}

void FinalePanel(cairo_t* cr) {
  const TPanelStyle s{0xff6070, "COMING UP"};
  Panel(cr, s);
  // A spiral: the twist of the finale.
  cairo_set_line_width(cr, 4);
  for (int i = 0; i <= 720; ++i) {
    const double t = i * Pi / 180, r = 6 + t * 7;
    const double x = Unit / 2 + r * std::cos(t), y = 170 + r * std::sin(t) * 0.8;
    i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
  }
  Rgb(cr, s.Accent);
  cairo_stroke(cr);
  DrawWombat(cr, Unit / 2 - 12, 172, 22, false, TWombatLook{});
  Label(cr, "the wombat returns", Unit / 2, 280, 16, TAlign::Centre, 0xffffff);
  Label(cr, "and twists after the camera", Unit / 2, 304, 14, TAlign::Centre, s.Accent);
}

}  // namespace

TRgbaImage Overlay(int k) {
  if (k == 1) return TitleCard();
  using TPainter = void (*)(cairo_t*);
  static const std::pair<TPainter, std::uint32_t> panels[] = {
      {AnatomyPanel, 0xffb060}, {LakePanel, 0x60c8ff}, {LicoricePanel, 0xe070ff},
      {CameraPanel, 0x80ff90},  {SyncPanel, 0xffe060}, {FinalePanel, 0xff6070}};
  if (k < 2 || k > 7) throw std::out_of_range("no such overlay");
  TCanvas c(512, 512, Unit, Unit);
  panels[k - 2].first(c.Cr());
  return WithGround(c.Rgba(), panels[k - 2].second);
}

TTgaEncoding OverlayEncoding(int k) { return k % 2 ? TTgaEncoding::RunLength : TTgaEncoding::Uncompressed; }
