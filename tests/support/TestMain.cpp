// Tests draw offscreen, play to a dummy audio device and never open dialogs,
// unless the caller asked otherwise.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <string>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define DEMO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DEMO_ASAN 1
#endif
#endif

namespace {
// SDL unloads Mesa when a test destroys its last GL window. What Mesa keeps
// for the whole process is then no longer reachable from its globals, and
// LeakSanitizer reports it, from a module it can no longer name. Keeping
// Mesa's libraries loaded keeps those blocks reachable, as in the demo.
void KeepMesaLoaded() {
#ifdef DEMO_ASAN
  const std::pair<const char*, const char*> vendors[] = {{"libEGL_mesa.so.0", "__egl_Main"},
                                                         {"libGLX_mesa.so.0", "__glx_Main"}};
  for (const auto& [name, entry] : vendors) {
    void* lib = dlopen(name, RTLD_NOW | RTLD_NODELETE);
    Dl_info info{};
    if (!lib || !dladdr(dlsym(lib, entry), &info)) continue;
    // The software rasteriser sits in dri/ beside the vendor library.
    const std::string path = info.dli_fname;
    dlopen((path.substr(0, path.rfind('/')) + "/dri/swrast_dri.so").c_str(), RTLD_NOW | RTLD_NODELETE);
  }
#endif
}
}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("DEMO_MESSAGES", "stderr", 0);
  KeepMesaLoaded();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
