// Load-and-upload time of the demo's pictures: decode, resample, mipmaps and
// upload, as the texture registry does at start-up. Median of several runs,
// on an offscreen context. Run in the folder that holds data/.
//   textures_bench [name ...]   default: every picture the demo loads
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/GLQueries.h"
#include "engine/QRN2Textures.h"
#include "engine/Quarn2.h"
#include "engine/TGA.h"
#include "platform/Files.h"

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("DEMO_MESSAGES", "stderr", 0);
  std::vector<std::string> names(argv + 1, argv + argc);
  if (names.empty())
    names = {"wombats.jpg", "vell.jpg",   "timeup.jpg",    "1-picture.jpg", "1-owners.jpg", "spot.jpg",
             "womflash.jpg", "stein.jpg", "vann.jpg",      "lakris.jpg",    "diag\\1.tga",  "diag\\2.tga",
             "diag\\3.tga",  "diag\\4.tga", "diag\\5.tga", "diag\\6.tga",   "diag\\7.tga"};
  ChangeDirectory("data");
  if (!WindowOpened(OpenWindow(800, 600, 32, false, "Test"))) return 1;
  for (const std::string& name : names) {
    const bool tga = name.size() > 4 && name.substr(name.size() - 4) == ".tga";
    std::vector<double> ms;
    for (int run = 0; run < 9; ++run) {
      GLuint texture = 0;
      const auto t0 = std::chrono::steady_clock::now();
      if (tga)
        LoadTGAFile(name, texture);
      else
        LoadTexture(name, texture, false);
      FinishDrawing();
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
      DeleteTexture(texture);
    }
    std::nth_element(ms.begin(), ms.begin() + 4, ms.end());
    std::printf("%-14s %7.2f ms median of 9\n", name.c_str(), ms[4]);
  }
  return 0;
}
