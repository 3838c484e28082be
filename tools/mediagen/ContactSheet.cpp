// ContactSheet: everything read back from the files, not from memory, so the
// sheet shows what the demo will load. Models are drawn flat-shaded with a
// painter's sort; the music as a min/max waveform with the pattern lines.
#include "tools/mediagen/ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "tools/mediagen/Arrangement.h"
#include "tools/mediagen/Canvas.h"
#include "tools/mediagen/MediaRead.h"
#include "tools/mediagen/Preview.h"

namespace {

constexpr int SheetW = 1640, SheetH = 1420;

cairo_surface_t* Surface(const TRgbImage& img) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, img.Width, img.Height);
  unsigned char* d = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const std::uint8_t* p = &img.Pixels[(static_cast<std::size_t>(y) * img.Width + x) * 3];
      *reinterpret_cast<std::uint32_t*>(d + y * stride + 4 * x) = 0xFF000000u | p[0] << 16 | p[1] << 8 | p[2];
    }
  cairo_surface_mark_dirty(s);
  return s;
}

cairo_surface_t* Surface(const TRgbaImage& img) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.Width, img.Height);
  unsigned char* d = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const std::uint8_t* p = &img.Pixels[(static_cast<std::size_t>(y) * img.Width + x) * 4];
      const unsigned a = p[3];
      auto pm = [&](unsigned v) { return (v * a + 127) / 255; };
      *reinterpret_cast<std::uint32_t*>(d + y * stride + 4 * x) = a << 24 | pm(p[0]) << 16 | pm(p[1]) << 8 | pm(p[2]);
    }
  cairo_surface_mark_dirty(s);
  return s;
}

void Caption(cairo_t* cr, const std::string& text, double x, double y) {
  SetFont(cr, 13, false);
  Rgb(cr, 0xd8d8d8);
  DrawText(cr, text, x, y, TAlign::Left);
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
  for (int j = 0; j * 16 < h; ++j)
    for (int i = 0; i * 16 < w; ++i) {
      Rgb(cr, (i + j) % 2 ? 0x9a9a9a : 0x6a6a6a);
      cairo_rectangle(cr, x + i * 16, y + j * 16, std::min(16.0, w - i * 16), std::min(16.0, h - j * 16));
      cairo_fill(cr);
    }
}

// Draws a picture into a box; `tiles` repeats it to show seams.
void Place(cairo_t* cr, cairo_surface_t* s, double x, double y, double w, double h, int tiles = 1,
           cairo_operator_t op = CAIRO_OPERATOR_OVER) {
  const int iw = cairo_image_surface_get_width(s), ih = cairo_image_surface_get_height(s);
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, w / (iw * tiles), h / (ih * tiles));
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
  cairo_set_operator(cr, op);
  cairo_paint(cr);
  cairo_restore(cr);
}

void Jpeg(cairo_t* cr, const std::string& dir, const std::string& name, double x, double y, double w, double h,
          int tiles = 1) {
  cairo_surface_t* s = Surface(ReadJpeg(dir + "/" + name));
  Place(cr, s, x, y, w, h, tiles);
  cairo_surface_destroy(s);
  Caption(cr, name + (tiles > 1 ? " (tiled)" : ""), x, y + h + 15);
}

std::vector<TReadMesh> Meshes(const std::string& dir, const std::string& name) {
  return std::filesystem::exists(dir + "/" + name) ? Read3DSMeshes(dir + "/" + name) : std::vector<TReadMesh>{};
}

std::string Summary(const std::string& name, const std::vector<TReadMesh>& meshes) {
  std::string text = name + ": " + std::to_string(meshes.size()) + " meshes";
  for (std::size_t m = 0; m < meshes.size() && m < 2; ++m)
    text += ", " + std::to_string(meshes[m].Vertices.size() / 3) + "/" + std::to_string(meshes[m].Faces.size() / 3);
  return text + " vertices/faces";
}

void Picture(cairo_t* cr, const TRgbImage& img, double x, double y, const std::string& caption) {
  cairo_surface_t* s = Surface(img);
  Place(cr, s, x, y, img.Width, img.Height);
  cairo_surface_destroy(s);
  Caption(cr, caption, x, y + img.Height + 15);
}

// The models as the scenes show them, from the scenes' own cameras.
void Models(cairo_t* cr, const std::string& dir, double x, double y) {
  const auto wombat = Meshes(dir, "wombat.3ds"), land = Meshes(dir, "land.3ds"), lakris = Meshes(dir, "lakris.3ds");
  const int w = 400, h = 300;
  if (wombat.size() >= 2) {
    const std::vector<TPreviewItem> items = {{&wombat[0], SceneTurn, 0x66502c}, {&wombat[1], SceneTurn, 0x101010}};
    Picture(cr, RenderPreview(w, h, {200, 200, 200}, {0, 0, 0}, 0x000000, items), x, y, Summary("wombat", wombat));
    Picture(cr, RenderPreview(w, h, {-60, 20, 260}, {0, 0, 0}, 0x000000, items), x + 410, y, "wombat.3ds, other side");
  }
  if (land.size() >= 2 && !lakris.empty() && !wombat.empty()) {
    const auto big = [](TVec3 v) { return (SceneTurn(v) + TVec3{300, 160, 0}) * 0.05; };
    const auto small = [](TVec3 v) {
      const TVec3 p = (SceneTurn(v) + TVec3{300, 250, 0}) * 0.03;
      return TVec3{-p.x, p.y, -p.z};
    };
    const auto knot = [](TVec3 v) { return SceneTurn(v) * 0.15; };
    const auto water = [](TVec3 v) { return TVec3{v.x, 1.5, -v.y}; };
    const std::vector<TPreviewItem> items = {{&land[0], SceneTurn, 0x8a8070},
                                             {&lakris[0], knot, 0x282030},
                                             {&wombat[0], big, 0x66502c},
                                             {&wombat[0], small, 0xe64c4c},
                                             {&land[1], water, 0x3060c0, 0.55f}};
    Picture(cr, RenderPreview(w, h, {67.1, 29.8, 52.2}, {0, 28, 0}, 0x3333ff, items), x + 820, y,
            "land.3ds, lakris.3ds, wombats: the Lakris camera");
    // Close to the small wombats' rocks.
    Picture(cr, RenderPreview(w, h, {24, 13, 16}, {8, 6.5, 0}, 0x3333ff, items), x + 1230, y,
            "the rocks the wombats stand on");
  }
}

void Waveform(cairo_t* cr, const std::string& dir, double x, double y, double w, double h) {
  if (!std::filesystem::exists(dir + "/music.mp3")) return Caption(cr, "music.mp3: missing", x, y + h + 15);
  const TBus music = ReadMp3(dir + "/music.mp3");
  Rgb(cr, 0x101418);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  const double seconds = static_cast<double>(music.Frames()) / SampleRate;
  const std::vector<float> ends = PatternEnds();
  for (std::size_t p = 0; p < ends.size(); ++p) {
    const double a = x + w * (p ? ends[p - 1] : 0) / seconds, b = x + w * ends[p] / seconds;
    Rgb(cr, p % 2 ? 0x1c2430 : 0x141a22);
    cairo_rectangle(cr, a, y, b - a, h);
    cairo_fill(cr);
    SetFont(cr, 11, false);
    Rgb(cr, 0x8090a0);
    DrawText(cr, std::to_string(p), (a + b) / 2, y + 12);
  }
  const int columns = static_cast<int>(w);
  for (int c = 0; c < columns; ++c) {
    const std::size_t a = music.Frames() * c / columns, b = music.Frames() * (c + 1) / columns;
    float lo = 0, hi = 0, sum = 0;
    for (std::size_t i = a; i < b; ++i) {
      const float v = 0.5f * (music.L[i] + music.R[i]);
      lo = std::min(lo, v);
      hi = std::max(hi, v);
      sum += v * v;
    }
    const double rms = std::sqrt(sum / std::max<std::size_t>(1, b - a));
    Rgb(cr, 0x4a90d0);
    cairo_rectangle(cr, x + c, y + h / 2 - hi * h / 2, 1, (hi - lo) * h / 2 + 0.5);
    cairo_fill(cr);
    Rgb(cr, 0x9ad0ff);
    cairo_rectangle(cr, x + c, y + h / 2 - rms * h / 2, 1, rms * h + 0.5);
    cairo_fill(cr);
  }
  Caption(cr, "music.mp3: " + std::to_string(static_cast<int>(seconds)) + " s, patterns 0-18 marked", x,
          y + h + 15);
}

}  // namespace

void WriteContactSheet(const std::string& dir, const std::string& png) {
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, SheetW, SheetH);
  cairo_t* cr = cairo_create(sheet);
  Rgb(cr, 0x2a2a30);
  cairo_paint(cr);
  SetFont(cr, 22, true);
  Rgb(cr, 0xffffff);
  DrawText(cr, "data/ contact sheet", 20, 34, TAlign::Left);

  // Full-screen pictures at the screen's 4:3.
  const double fw = 384, fh = 288, top = 56;
  Jpeg(cr, dir, "wombats.jpg", 20, top, fw, fh);
  Jpeg(cr, dir, "vell.jpg", 424, top, fw, fh);
  Jpeg(cr, dir, "1-picture.jpg", 828, top, fw, fh);
  {
    // As the picture scene shows it: the strip added over the bottom rows.
    cairo_surface_t* s = Surface(ReadJpeg(dir + "/1-owners.jpg"));
    Place(cr, s, 828, top + fh * (1 - 233.0 / 600), fw, fh * 233.0 / 600, 1, CAIRO_OPERATOR_ADD);
    cairo_surface_destroy(s);
  }
  Jpeg(cr, dir, "timeup.jpg", 1232, top, fw, fh);

  const double row2 = top + fh + 36, t = 220;
  Jpeg(cr, dir, "1-owners.jpg", 20, row2, 384, 384 * 233.0 / 800);
  Jpeg(cr, dir, "womflash.jpg", 424, row2, t, t);
  Jpeg(cr, dir, "spot.jpg", 664, row2, t, t);
  Jpeg(cr, dir, "stein.jpg", 904, row2, t, t, 2);
  Jpeg(cr, dir, "vann.jpg", 1144, row2, t, t);
  Jpeg(cr, dir, "lakris.jpg", 1384, row2, t, t);

  const double row3 = row2 + t + 36, d = 190;
  {
    Checker(cr, 20, row3, 253, d);
    cairo_surface_t* s = Surface(ReadTga(dir + "/diag/1.tga"));
    Place(cr, s, 20, row3, 253, d);
    cairo_surface_destroy(s);
    Caption(cr, "diag/1.tga", 20, row3 + d + 15);
  }
  for (int k = 2; k <= 7; ++k) {
    const double x = 293 + (k - 2) * (d + 20);
    Checker(cr, x, row3, d, d);
    cairo_surface_t* s = Surface(ReadTga(dir + "/diag/" + std::to_string(k) + ".tga"));
    Place(cr, s, x, row3, d, d);
    cairo_surface_destroy(s);
    Caption(cr, "diag/" + std::to_string(k) + ".tga", x, row3 + d + 15);
  }

  const double row4 = row3 + d + 36;
  Models(cr, dir, 20, row4);
  Waveform(cr, dir, 20, row4 + 300 + 36, SheetW - 40, 150);

  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(sheet, png.c_str());
  cairo_surface_destroy(sheet);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + png);
}
