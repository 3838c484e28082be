#include "Harness.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#ifndef GL1_REFERENCE
#include "platform/web/gl/Layer.h"
#endif

namespace harness {

namespace {
SDL_Window* Window = nullptr;
SDL_GLContext Context = nullptr;

// SDL unloads Mesa with the last context; what the driver keeps for the
// process would then show as leaks under the sanitizers. Pin it instead.
void PinDriver() {
  std::vector<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void* out) {
        const std::string name = info->dlpi_name ? info->dlpi_name : "";
        if (name.find("_mesa.so") != std::string::npos || name.find("_dri.so") != std::string::npos)
          static_cast<std::vector<std::string>*>(out)->push_back(name);
        return 0;
      },
      &names);
  for (const std::string& name : names) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
}  // namespace

bool OpenContext(std::string& error) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return false;
  }
#ifdef GL1_REFERENCE
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
#else
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#endif
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  Window = SDL_CreateWindow("gl1", 0, 0, scenarios::Size, scenarios::Size, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (Window) Context = SDL_GL_CreateContext(Window);
  if (!Context) {
    error = SDL_GetError();
    return false;
  }
  PinDriver();
#ifndef GL1_REFERENCE
  if (!gl1::Init(SDL_GL_GetProcAddress, &error)) return false;
#endif
  return true;
}

void CloseContext() {
#ifndef GL1_REFERENCE
  gl1::Shutdown();
#endif
  if (Context) SDL_GL_DeleteContext(Context);
  if (Window) SDL_DestroyWindow(Window);
  Context = nullptr;
  Window = nullptr;
  SDL_Quit();
}

TResult Run(const scenarios::TScenario& scenario, int repeats) {
  TResult result;
  std::vector<double> times;
  for (int run = 0; run <= repeats; ++run) {
    scenarios::TValues values;
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    scenarios::ResetState();
    scenario.Draw(values);
    glFinish();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (run > 0) times.push_back(took.count());
    if (run > 0) continue;
    result.Rgba.assign(static_cast<std::size_t>(scenarios::Size) * scenarios::Size * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, scenarios::Size, scenarios::Size, GL_RGBA, GL_UNSIGNED_BYTE, result.Rgba.data());
    // Errors the scenario did not ask about.
    int stray = 0;
    while (glGetError() != GL_NO_ERROR && stray < 100) ++stray;
    values.push_back({"stray errors", stray});
    result.Values = values;
  }
  // The repeats must not leave errors for the next scenario.
  int later = 0;
  while (glGetError() != GL_NO_ERROR && later < 100) ++later;
  result.Values.push_back({"stray errors in repeats", later});
  if (!times.empty()) {
    std::sort(times.begin(), times.end());
    result.Milliseconds = times[times.size() / 2];
  }
  return result;
}

std::string PicturePath(const std::string& dir, const char* name) { return dir + "/" + name + ".rgba"; }
std::string ValuesPath(const std::string& dir, const char* name) { return dir + "/" + name + ".txt"; }
std::string MipmapPath(const std::string& dir, std::size_t index) {
  return dir + "/mipmaps" + std::to_string(index) + ".bin";
}

bool WriteFile(const std::string& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace harness

#ifdef GL1_REFERENCE
// gl1_reference DIR [REPEATS]: every scenario drawn by desktop GL into DIR,
// with the values, the time, and each mipmap case's levels as GLU made them.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gl1_reference DIR [REPEATS]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
  std::string error;
  if (!harness::OpenContext(error)) {
    std::fprintf(stderr, "gl1_reference: no GL context: %s\n", error.c_str());
    return 1;
  }
  for (const scenarios::TScenario& s : scenarios::All()) {
    const harness::TResult r = harness::Run(s, repeats);
    std::ostringstream text;
    text.precision(9);
    for (const auto& [name, value] : r.Values) text << value << ' ' << name << '\n';
    text << r.Milliseconds << " ms\n";
    const std::string t = text.str();
    if (!harness::WriteFile(harness::PicturePath(dir, s.Name), r.Rgba.data(), r.Rgba.size()) ||
        !harness::WriteFile(harness::ValuesPath(dir, s.Name), t.data(), t.size()))
      return 1;
  }
  const auto& cases = scenarios::MipmapCases();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const scenarios::TMipmapCase& c = cases[i];
    const std::vector<std::uint8_t> px = scenarios::TestImage(c.Width, c.Height, c.Channels, c.Seed, c.Alignment);
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glPixelStorei(GL_UNPACK_ALIGNMENT, c.Alignment);
    const GLenum format = c.Channels == 4 ? GL_RGBA : GL_RGB;
    gluBuild2DMipmaps(GL_TEXTURE_2D, c.Channels == 4 ? GL_RGBA : 3, c.Width, c.Height, format, GL_UNSIGNED_BYTE,
                      px.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> levels;
    for (int level = 0, w = c.Width, h = c.Height;; ++level) {
      std::vector<std::uint8_t> one(static_cast<std::size_t>(w) * h * c.Channels);
      glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, one.data());
      levels.insert(levels.end(), one.begin(), one.end());
      if (w == 1 && h == 1) break;
      w = w > 1 ? w / 2 : 1;
      h = h > 1 ? h / 2 : 1;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glDeleteTextures(1, &t);
    if (!harness::WriteFile(harness::MipmapPath(dir, i), levels.data(), levels.size())) return 1;
  }
  const GLenum e = glGetError();
  harness::CloseContext();
  if (e != GL_NO_ERROR) {
    std::fprintf(stderr, "gl1_reference: GL error 0x%x\n", e);
    return 1;
  }
  return 0;
}
#endif
