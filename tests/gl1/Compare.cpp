// gl1_compare --reference PATH [--keep DIR] [--repeats N]: runs the
// reference program (desktop GL) on the scenarios, draws them again through
// the gl1 layer on an ES 3.0 context, and compares: the pictures within each
// scenario's limits, the recorded values exactly, and the mipmap levels of
// the layer's filter byte for byte with GLU's. Prints the figures and the
// times of both; exits 1 on any failure. --keep writes PPM pictures of both
// runs and their differences to DIR.
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "Harness.h"
#include "platform/web/gl/Layer.h"
#include "platform/web/gl/Mipmaps.h"

namespace {
using scenarios::Size;

struct TFigures {
  double Mean[4] = {};
  int Max = 0;
  double Bad = 0;  // fraction of pixels with a channel more than 16 apart
};

TFigures Measure(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  TFigures f;
  std::size_t bad = 0;
  const std::size_t pixels = static_cast<std::size_t>(Size) * Size;
  for (std::size_t p = 0; p < pixels; ++p) {
    bool off = false;
    for (int c = 0; c < 4; ++c) {
      const int d = std::abs(static_cast<int>(a[p * 4 + c]) - static_cast<int>(b[p * 4 + c]));
      f.Mean[c] += d;
      f.Max = std::max(f.Max, d);
      off = off || d > 16;
    }
    bad += off ? 1 : 0;
  }
  for (double& m : f.Mean) m /= static_cast<double>(pixels);
  f.Bad = static_cast<double>(bad) / static_cast<double>(pixels);
  return f;
}

void WritePpm(const std::string& path, const std::vector<std::uint8_t>& rgba, bool amplify = false) {
  std::ostringstream out;
  out << "P6\n" << Size << ' ' << Size << "\n255\n";
  std::string s = out.str();
  for (int y = Size - 1; y >= 0; --y)
    for (int x = 0; x < Size; ++x)
      for (int c = 0; c < 3; ++c) {
        const int v = rgba[(static_cast<std::size_t>(y) * Size + x) * 4 + c];
        s += static_cast<char>(amplify ? std::min(255, v * 8) : v);
      }
  harness::WriteFile(path, s.data(), s.size());
}

scenarios::TValues ParseValues(const std::vector<std::uint8_t>& bytes, double* ms) {
  scenarios::TValues v;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream l(line);
    double value = 0;
    std::string name;
    l >> value;
    std::getline(l >> std::ws, name);
    if (name == "ms")
      *ms = value;
    else
      v.push_back({name, value});
  }
  return v;
}
}  // namespace

int main(int argc, char** argv) {
  std::string reference, keep;
  int repeats = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--reference") reference = argv[i + 1];
    else if (a == "--keep") keep = argv[i + 1];
    else if (a == "--repeats") repeats = std::atoi(argv[i + 1]);
  }
  if (reference.empty()) {
    std::fprintf(stderr, "usage: gl1_compare --reference PATH [--keep DIR] [--repeats N]\n");
    return 2;
  }
  char pattern[] = "/tmp/gl1-compare-XXXXXX";
  const char* dirName = mkdtemp(pattern);
  if (!dirName) return 1;
  const std::string dir = dirName;
  const std::string command = "'" + reference + "' '" + dir + "' " + std::to_string(repeats);
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "FAIL: the reference run failed: %s\n", command.c_str());
    return 1;
  }
  std::string error;
  if (!harness::OpenContext(error)) {
    std::fprintf(stderr, "FAIL: no ES 3.0 context for the layer: %s\n", error.c_str());
    return 1;
  }
  if (!keep.empty()) std::filesystem::create_directories(keep);
  int failures = 0;
  std::printf("%-22s %28s %5s %8s %8s %8s %6s\n", "scenario", "mean |diff| r g b a", "max", "bad", "ref ms",
              "layer ms", "draws");
  for (const scenarios::TScenario& s : scenarios::All()) {
    const std::size_t drawsBefore = gl1::Ctx.Batch.Draws;
    const harness::TResult mine = harness::Run(s, repeats);
    const std::size_t draws = (gl1::Ctx.Batch.Draws - drawsBefore) / static_cast<std::size_t>(repeats + 1);
    std::vector<std::uint8_t> picture, text;
    if (!harness::ReadFile(harness::PicturePath(dir, s.Name), picture) || picture.size() != mine.Rgba.size() ||
        !harness::ReadFile(harness::ValuesPath(dir, s.Name), text)) {
      std::printf("FAIL %s: no reference output\n", s.Name);
      ++failures;
      continue;
    }
    double refMs = 0;
    const scenarios::TValues expected = ParseValues(text, &refMs);
    const TFigures f = Measure(picture, mine.Rgba);
    const double worstMean = std::max({f.Mean[0], f.Mean[1], f.Mean[2], f.Mean[3]});
    const bool pass = worstMean <= s.MeanLimit && f.Bad <= s.BadLimit && (s.MaxLimit < 0 || f.Max <= s.MaxLimit);
    std::printf("%-22s %6.3f %6.3f %6.3f %6.3f %5d %7.4f%% %8.2f %8.2f %6zu %s\n", s.Name, f.Mean[0], f.Mean[1],
                f.Mean[2], f.Mean[3], f.Max, 100 * f.Bad, refMs, mine.Milliseconds, draws, pass ? "" : "FAIL");
    if (!pass) {
      std::printf("  limits: mean %.3f, bad %.4f%%, max %d\n", s.MeanLimit, 100 * s.BadLimit, s.MaxLimit);
      ++failures;
    }
    if (expected.size() != mine.Values.size()) {
      std::printf("FAIL %s: %zu values, the reference has %zu\n", s.Name, mine.Values.size(), expected.size());
      ++failures;
    } else {
      for (std::size_t i = 0; i < expected.size(); ++i)
        if (std::fabs(expected[i].second - mine.Values[i].second) > 1e-6) {
          std::printf("FAIL %s: \"%s\" is %.9g, the reference's %.9g\n", s.Name, mine.Values[i].first.c_str(),
                      mine.Values[i].second, expected[i].second);
          ++failures;
        }
    }
    if (!keep.empty()) {
      WritePpm(keep + "/" + s.Name + ".ref.ppm", picture);
      WritePpm(keep + "/" + s.Name + ".layer.ppm", mine.Rgba);
      std::vector<std::uint8_t> diff(picture.size());
      for (std::size_t i = 0; i < diff.size(); ++i)
        diff[i] = static_cast<std::uint8_t>(std::abs(static_cast<int>(picture[i]) - static_cast<int>(mine.Rgba[i])));
      WritePpm(keep + "/" + s.Name + ".diff8x.ppm", diff, true);
    }
  }
  // The layer's box filter against GLU's levels, read back from desktop GL.
  const auto& cases = scenarios::MipmapCases();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const scenarios::TMipmapCase& c = cases[i];
    const std::vector<std::uint8_t> px = scenarios::TestImage(c.Width, c.Height, c.Channels, c.Seed, c.Alignment);
    std::vector<std::uint8_t> mine, ref;
    for (const gl1::TImage& level : gl1::MipmapChain(px.data(), c.Width, c.Height, c.Channels, c.Alignment))
      mine.insert(mine.end(), level.Pixels.begin(), level.Pixels.end());
    const bool same = harness::ReadFile(harness::MipmapPath(dir, i), ref) && ref == mine;
    std::size_t differing = 0;
    for (std::size_t k = 0; k < std::min(ref.size(), mine.size()); ++k) differing += ref[k] != mine[k];
    std::printf("mipmaps %dx%d, %d channels, alignment %d: %s (%zu of %zu bytes differ)\n", c.Width, c.Height,
                c.Channels, c.Alignment, same ? "same as GLU" : "FAIL", differing, ref.size());
    failures += same ? 0 : 1;
  }
  harness::CloseContext();
  // The layer must have been the GL: desktop GL never loaded in this process.
  if (void* gl = dlopen("libGL.so.1", RTLD_NOW | RTLD_NOLOAD)) {
    dlclose(gl);
    std::printf("FAIL: libGL.so.1 is loaded in the layer's process\n");
    ++failures;
  }
  std::filesystem::remove_all(dir);
  std::printf("%s\n", failures ? "FAILED" : "all passed");
  return failures ? 1 : 0;
}
