// Preview: flat-shaded triangles, a z-buffer, one directional light. Near
// clipping drops whole triangles; the previews never come that close.
#include "tools/mediagen/Preview.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double Pi = 3.14159265358979323846;
}

TVec3 SceneTurn(TVec3 v) { return {v.x, v.z, -v.y}; }

TRgbImage RenderPreview(int w, int h, TVec3 eye, TVec3 centre, std::uint32_t sky,
                        const std::vector<TPreviewItem>& items) {
  TRgbImage img{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
  for (std::size_t i = 0; i < img.Pixels.size(); i += 3) {
    img.Pixels[i] = static_cast<std::uint8_t>(sky >> 16);
    img.Pixels[i + 1] = static_cast<std::uint8_t>(sky >> 8);
    img.Pixels[i + 2] = static_cast<std::uint8_t>(sky);
  }
  std::vector<double> depth(static_cast<std::size_t>(w) * h, 1e30);
  const TVec3 forward = Normalised(centre - eye), side = Normalised(Cross(forward, {0, 1, 0})),
              up = Cross(side, forward);
  const double focal = (h / 2.0) / std::tan(22.5 * Pi / 180), aspect = (4.0 / 3.0) / (static_cast<double>(w) / h);
  const TVec3 light = Normalised({0.4, 0.8, 0.45});

  for (const TPreviewItem& item : items) {
    const TReadMesh& m = *item.Mesh;
    std::vector<TVec3> world(m.Vertices.size() / 3);
    for (std::size_t v = 0; v < world.size(); ++v)
      world[v] = item.ToWorld({m.Vertices[3 * v], m.Vertices[3 * v + 1], m.Vertices[3 * v + 2]});
    for (std::size_t f = 0; f + 2 < m.Faces.size(); f += 3) {
      const TVec3 p[3] = {world[m.Faces[f]], world[m.Faces[f + 1]], world[m.Faces[f + 2]]};
      const TVec3 n = Normalised(Cross(p[1] - p[0], p[2] - p[0]));
      double sx[3], sy[3], sz[3];
      bool behind = false;
      for (int c = 0; c < 3; ++c) {
        const TVec3 d = p[c] - eye;
        sz[c] = Dot(d, forward);
        if (sz[c] < 1.0) behind = true;
        sx[c] = w / 2.0 + focal * Dot(d, side) / sz[c] / aspect;
        sy[c] = h / 2.0 - focal * Dot(d, up) / sz[c];
      }
      if (behind) continue;
      // Both sides are lit as the side facing the camera.
      const double facing = Dot(n, eye - p[0]) >= 0 ? 1 : -1;
      const double shade = 0.3 + 0.7 * std::max(0.0, facing * Dot(n, light));
      const double area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
      if (std::fabs(area) < 1e-12) continue;
      const int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
      const int x1 = std::min(w - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
      const int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
      const int y1 = std::min(h - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
      const double col[3] = {((item.Colour >> 16) & 0xFF) * shade, ((item.Colour >> 8) & 0xFF) * shade,
                             (item.Colour & 0xFF) * shade};
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
          const double px = x + 0.5, py = y + 0.5;
          const double b0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
          const double b1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
          const double b2 = 1 - b0 - b1;
          if (b0 < 0 || b1 < 0 || b2 < 0) continue;
          const double z = 1 / (b0 / sz[0] + b1 / sz[1] + b2 / sz[2]);
          double& d = depth[static_cast<std::size_t>(y) * w + x];
          if (z >= d) continue;
          std::uint8_t* out = &img.Pixels[(static_cast<std::size_t>(y) * w + x) * 3];
          for (int c = 0; c < 3; ++c)
            out[c] = static_cast<std::uint8_t>(std::clamp(out[c] * (1 - item.Opacity) + col[c] * item.Opacity, 0.0, 255.0));
          if (item.Opacity >= 1) d = z;
        }
    }
  }
  return img;
}
