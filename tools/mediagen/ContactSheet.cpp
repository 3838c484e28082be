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

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int SheetW = 1640, SheetH = 1560;

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

struct TTri {
  double Depth;
  double X[3], Y[3];
  double Light;
  int Mesh;
};

// Meshes z up; the view turns by yaw about z, then tilts by pitch.
void Model(cairo_t* cr, const std::string& dir, const std::string& name, double x, double y, double w, double h,
           double yaw, double pitch, const std::vector<std::uint32_t>& colours, const std::string& caption) {
  Rgb(cr, 0x202838);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  if (!std::filesystem::exists(dir + "/" + name)) return Caption(cr, name + ": missing", x, y + h + 15);
  const std::vector<TReadMesh> meshes = Read3DSMeshes(dir + "/" + name);
  double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
  std::vector<TTri> tris;
  const double cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
  auto view = [&](const float* v, double out[3]) {
    const double a = v[0] * cy - v[1] * sy, b = v[0] * sy + v[1] * cy;  // b points away from the viewer
    out[0] = a;
    out[1] = v[2] * cp - b * sp;   // screen up
    out[2] = b * cp + v[2] * sp;   // depth
  };
  for (std::size_t m = 0; m < meshes.size(); ++m) {
    const TReadMesh& mesh = meshes[m];
    for (std::size_t f = 0; f + 2 < mesh.Faces.size(); f += 3) {
      double p[3][3];
      for (int c = 0; c < 3; ++c) view(&mesh.Vertices[3 * static_cast<std::size_t>(mesh.Faces[f + c])], p[c]);
      const double ux = p[1][0] - p[0][0], uy = p[1][1] - p[0][1], uz = p[1][2] - p[0][2];
      const double vx = p[2][0] - p[0][0], vy = p[2][1] - p[0][1], vz = p[2][2] - p[0][2];
      double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
      const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
      if (len == 0) continue;
      nx /= len, ny /= len, nz /= len;
      // Facing the viewer means a normal pointing towards -depth.
      if (nz > 0) continue;
      TTri t{(p[0][2] + p[1][2] + p[2][2]) / 3, {}, {}, 0, static_cast<int>(m)};
      for (int c = 0; c < 3; ++c) {
        t.X[c] = p[c][0];
        t.Y[c] = p[c][1];
        for (int k = 0; k < 2; ++k) {
          lo[k] = std::min(lo[k], p[c][k]);
          hi[k] = std::max(hi[k], p[c][k]);
        }
      }
      t.Light = 0.25 + 0.75 * std::max(0.0, -0.4 * nx + 0.6 * ny - 0.7 * nz);
      tris.push_back(t);
    }
  }
  std::sort(tris.begin(), tris.end(), [](const TTri& a, const TTri& b) { return a.Depth > b.Depth; });
  const double scale = 0.9 * std::min(w / (hi[0] - lo[0]), h / (hi[1] - lo[1]));
  const double ox = x + w / 2 - scale * (lo[0] + hi[0]) / 2, oy = y + h / 2 + scale * (lo[1] + hi[1]) / 2;
  for (const TTri& t : tris) {
    const std::uint32_t c = colours[std::min<std::size_t>(t.Mesh, colours.size() - 1)];
    cairo_move_to(cr, ox + scale * t.X[0], oy - scale * t.Y[0]);
    cairo_line_to(cr, ox + scale * t.X[1], oy - scale * t.Y[1]);
    cairo_line_to(cr, ox + scale * t.X[2], oy - scale * t.Y[2]);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0 * t.Light, ((c >> 8) & 0xFF) / 255.0 * t.Light,
                         (c & 0xFF) / 255.0 * t.Light);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.4);
    cairo_stroke(cr);
  }
  std::size_t vertices = 0;
  for (const TReadMesh& m : meshes) vertices += m.Vertices.size() / 3;
  Caption(cr, caption + "  (" + std::to_string(meshes.size()) + " meshes, mesh 0: " +
                  std::to_string(meshes.empty() ? 0 : meshes[0].Vertices.size() / 3) + " vertices)",
          x, y + h + 15);
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

  const double row4 = row3 + d + 36, mw = 390, mh = 290;
  Model(cr, dir, "wombat.3ds", 20, row4, mw, mh, -0.6, 0.3, {0x9a7850, 0x202020}, "wombat.3ds");
  Model(cr, dir, "wombat.3ds", 430, row4, mw * 0.6, mh, -Pi / 2, 0.1, {0x9a7850, 0x202020}, "front");
  Model(cr, dir, "land.3ds", 680, row4, 520, mh, -0.9, 0.45, {0x8a8478, 0x3a70c8}, "land.3ds");
  Model(cr, dir, "lakris.3ds", 1220, row4, 400, mh, -0.9, 0.2, {0x484050}, "lakris.3ds");

  Waveform(cr, dir, 20, row4 + mh + 36, SheetW - 40, 150);

  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(sheet, png.c_str());
  cairo_surface_destroy(sheet);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + png);
}
