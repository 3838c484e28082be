// Canvas: Cairo surfaces are premultiplied BGRA in native words; the writers
// want straight RGB(A) bytes.
#include "tools/mediagen/Canvas.h"

#include <cmath>
#include <stdexcept>

TCanvas::TCanvas(int width, int height, double logicalW, double logicalH) : W(width), H(height) {
  Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  Context = cairo_create(Surface);
  if (cairo_status(Context) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("Cairo could not make a surface");
  cairo_scale(Context, width / logicalW, height / logicalH);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(Context, options);
  cairo_font_options_destroy(options);
}

TCanvas::~TCanvas() {
  cairo_destroy(Context);
  cairo_surface_destroy(Surface);
}

TRgbImage TCanvas::Rgb() const {
  cairo_surface_flush(Surface);
  const unsigned char* data = cairo_image_surface_get_data(Surface);
  const int stride = cairo_image_surface_get_stride(Surface);
  TRgbImage out{W, H, std::vector<std::uint8_t>(static_cast<std::size_t>(W) * H * 3)};
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const std::uint32_t p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + 4 * x);
      std::uint8_t* d = &out.Pixels[(static_cast<std::size_t>(y) * W + x) * 3];
      // Over black: premultiplied values are the visible colour.
      d[0] = static_cast<std::uint8_t>(p >> 16);
      d[1] = static_cast<std::uint8_t>(p >> 8);
      d[2] = static_cast<std::uint8_t>(p);
    }
  return out;
}

TRgbaImage TCanvas::Rgba() const {
  cairo_surface_flush(Surface);
  const unsigned char* data = cairo_image_surface_get_data(Surface);
  const int stride = cairo_image_surface_get_stride(Surface);
  TRgbaImage out{W, H, std::vector<std::uint8_t>(static_cast<std::size_t>(W) * H * 4)};
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const std::uint32_t p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + 4 * x);
      const unsigned a = p >> 24;
      std::uint8_t* d = &out.Pixels[(static_cast<std::size_t>(y) * W + x) * 4];
      for (int c = 0; c < 3; ++c) {
        const unsigned v = (p >> (16 - 8 * c)) & 0xFF;
        d[c] = static_cast<std::uint8_t>(a ? std::min(255u, (v * 255 + a / 2) / a) : 0);
      }
      d[3] = static_cast<std::uint8_t>(a);
    }
  return out;
}

void SetFont(cairo_t* cr, double size, bool bold, bool serif) {
  cairo_select_font_face(cr, serif ? "DejaVu Serif" : "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

double DrawText(cairo_t* cr, const std::string& text, double x, double y, TAlign align) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  const double left = align == TAlign::Left ? x : align == TAlign::Centre ? x - e.x_advance / 2 : x - e.x_advance;
  cairo_move_to(cr, left, y);
  cairo_show_text(cr, text.c_str());
  cairo_new_path(cr);
  return e.x_advance;
}

void Rgb(cairo_t* cr, std::uint32_t hex, double alpha) {
  cairo_set_source_rgba(cr, ((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  const double pi = 3.14159265358979323846;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
  cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
  cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
  cairo_close_path(cr);
}

void DrawWombat(cairo_t* cr, double x, double y, double s, bool faceLeft, const TWombatLook& look) {
  const double pi = 3.14159265358979323846;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, faceLeft ? -s / 100 : s / 100, s / 100);
  const std::uint32_t fur = look.Silhouette ? look.Dark : look.Fur;
  // Legs first, so the body overlaps them.
  Rgb(cr, look.Dark);
  for (double lx : {-62.0, -30.0, 38.0, 66.0}) {
    RoundedRect(cr, lx - 13, 20, 26, 48, 11);
    cairo_fill(cr);
  }
  // Barrel body.
  cairo_save(cr);
  cairo_scale(cr, 1.0, 0.62);
  cairo_arc(cr, 0, 0, 95, 0, 2 * pi);
  cairo_restore(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, -60, 0, 60);
  const auto stop = [&](double at, std::uint32_t c) {
    cairo_pattern_add_color_stop_rgb(g, at, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
  };
  stop(0, look.Silhouette ? look.Dark : look.Light);
  stop(1, fur);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  // Broad blunt head.
  cairo_save(cr);
  cairo_translate(cr, 92, -8);
  cairo_scale(cr, 1.0, 0.8);
  cairo_arc(cr, 0, 0, 46, 0, 2 * pi);
  cairo_restore(cr);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Snout and small rounded ears.
  Rgb(cr, fur);
  cairo_save(cr);
  cairo_translate(cr, 128, 4);
  cairo_scale(cr, 1.0, 0.85);
  cairo_arc(cr, 0, 0, 24, 0, 2 * pi);
  cairo_restore(cr);
  cairo_fill(cr);
  for (double ex : {70.0, 86.0}) {
    cairo_save(cr);
    cairo_translate(cr, ex, -44);
    cairo_rotate(cr, -0.25);
    cairo_scale(cr, 0.7, 1.0);
    cairo_arc(cr, 0, 0, 14, 0, 2 * pi);
    cairo_restore(cr);
    Rgb(cr, ex > 80 ? fur : look.Dark);
    cairo_fill(cr);
  }
  if (!look.Silhouette) {
    Rgb(cr, 0x140e0a);
    cairo_save(cr);
    cairo_translate(cr, 146, 0);
    cairo_scale(cr, 1.0, 0.8);
    cairo_arc(cr, 0, 0, 11, 0, 2 * pi);
    cairo_restore(cr);
    cairo_fill(cr);
    cairo_arc(cr, 106, -18, 6.5, 0, 2 * pi);
    cairo_fill(cr);
    Rgb(cr, 0xffffff, 0.8);
    cairo_arc(cr, 108, -20, 2.2, 0, 2 * pi);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}
