// Textures: pixel by pixel from periodic noise and cell patterns, so stone
// tiles without seams; all randomness comes from a hash of the coordinates.
#include "tools/mediagen/Textures.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double Pi = 3.14159265358979323846;

double Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777216.0;
}

int Wrap(int v, int period) { return ((v % period) + period) % period; }

// Value noise with smooth interpolation, repeating every `period` cells.
double Noise(double x, double y, int period, int seed) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  auto v = [&](int i, int j) { return Hash(Wrap(x0 + i, period), Wrap(y0 + j, period), seed); };
  const double a = v(0, 0) + (v(1, 0) - v(0, 0)) * sx, b = v(0, 1) + (v(1, 1) - v(0, 1)) * sx;
  return a + (b - a) * sy;
}

// Fractal sum of octaves; u, v in [0, 1) tile exactly.
double Fractal(double u, double v, int baseCells, int octaves, int seed) {
  double sum = 0, amp = 0.5, norm = 0;
  int cells = baseCells;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * Noise(u * cells, v * cells, cells, seed + o);
    norm += amp;
    amp *= 0.5;
    cells *= 2;
  }
  return sum / norm;
}

// Distances to the nearest and second-nearest cell centre (tiling).
void Cells(double u, double v, int cells, int seed, double& d1, double& d2, int& id) {
  const double x = u * cells, y = v * cells;
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  d1 = d2 = 1e9;
  id = 0;
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) {
      const int gx = Wrap(cx + i, cells), gy = Wrap(cy + j, cells);
      const double px = cx + i + 0.15 + 0.7 * Hash(gx, gy, seed), py = cy + j + 0.15 + 0.7 * Hash(gx, gy, seed + 1);
      const double d = std::hypot(px - x, py - y);
      if (d < d1) {
        d2 = d1;
        d1 = d;
        id = gx * 131 + gy;
      } else if (d < d2) {
        d2 = d;
      }
    }
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5); }

TRgbImage Paint(int size, const std::function<void(double u, double v, double rgb[3])>& shade) {
  TRgbImage img{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 3)};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double rgb[3];
      shade((x + 0.5) / size, (y + 0.5) / size, rgb);
      std::uint8_t* p = &img.Pixels[(static_cast<std::size_t>(y) * size + x) * 3];
      for (int c = 0; c < 3; ++c) p[c] = Byte(rgb[c]);
    }
  return img;
}

}  // namespace

TRgbImage SpotTexture() {
  return Paint(256, [](double u, double v, double rgb[3]) {
    const double r = std::hypot(u - 0.5, v - 0.5) * 2;  // 1 at the edge's middle
    const double core = std::exp(-r * r * 9.0), halo = std::exp(-r * r * 3.2) * 0.35;
    const double fade = std::clamp((1.0 - r) / 0.12, 0.0, 1.0);  // black well before the border
    const double i = (core + halo) * fade;
    rgb[0] = i * 1.0;
    rgb[1] = i * 0.94;
    rgb[2] = i * 0.82;
  });
}

TRgbImage StoneTexture() {
  return Paint(512, [](double u, double v, double rgb[3]) {
    double d1, d2;
    int id;
    Cells(u, v, 6, 11, d1, d2, id);
    const double edge = std::clamp((d2 - d1) * 4.0, 0.0, 1.0);  // 0 in the joints
    const double grain = Fractal(u, v, 8, 5, 3), fine = Fractal(u, v, 64, 2, 9);
    const double tint = Hash(id, 7, 5);
    const double shade = (0.42 + 0.32 * grain + 0.12 * fine) * (0.35 + 0.65 * std::sqrt(edge)) *
                         (0.85 + 0.3 * (1 - d1));
    rgb[0] = shade * (0.95 + 0.15 * tint);
    rgb[1] = shade * (0.9 + 0.08 * tint);
    rgb[2] = shade * (0.82 - 0.05 * tint);
  });
}

TRgbImage WaterTexture() {
  return Paint(512, [](double u, double v, double rgb[3]) {
    // Caustic lines: where two warped waves cross, light gathers.
    const double w1 = Fractal(u, v, 4, 4, 21), w2 = Fractal(u, v, 6, 3, 33);
    const double a = std::sin((u * 9 + w1 * 3.5) * 2 * Pi), b = std::sin((v * 7 + w2 * 3.0) * 2 * Pi);
    const double caustic = std::pow(1 - std::fabs(a * b), 6.0);
    const double depth = 0.35 + 0.3 * Fractal(u, v, 3, 3, 5);
    rgb[0] = 0.05 + 0.15 * depth + 0.75 * caustic;
    rgb[1] = 0.25 + 0.35 * depth + 0.7 * caustic;
    rgb[2] = 0.45 + 0.45 * depth + 0.55 * caustic;
  });
}

TRgbImage LicoriceEnvironment() {
  return Paint(512, [](double u, double v, double rgb[3]) {
    // The sphere map's disc: the direction seen in each point of a mirror ball.
    const double x = u * 2 - 1, y = 1 - v * 2, r2 = x * x + y * y;
    if (r2 > 1) {
      rgb[0] = rgb[1] = rgb[2] = 0.02;
      return;
    }
    const double z = std::sqrt(1 - r2);
    // Reflected view direction for a viewer looking down -z.
    const double rx = 2 * z * x, ry = 2 * z * y, rz = 2 * z * z - 1;
    double i = 0.03 + 0.05 * std::max(0.0, ry);  // dim studio, lighter above
    // Two softboxes and a warm rim light.
    auto box = [&](double cx, double cy, double cz, double size, double power) {
      const double d = std::hypot(rx - cx, ry - cy, rz - cz);
      return power * std::clamp((size - d) / (size * 0.35), 0.0, 1.0);
    };
    const double key = box(-0.55, 0.6, 0.58, 0.42, 0.95), fill = box(0.75, 0.15, 0.6, 0.25, 0.45);
    const double rim = std::pow(std::max(0.0, -rz), 3.0) * 0.35;
    const double floor = ry < -0.2 ? 0.02 : 0;
    i += key + fill + floor;
    rgb[0] = std::min(1.0, i + rim * 1.0);
    rgb[1] = std::min(1.0, i + rim * 0.6);
    rgb[2] = std::min(1.0, i * 1.05 + rim * 0.3);
  });
}
