// mediagen: writes the demo's data directory, or a contact sheet of it.
//   mediagen DATA_DIR [FILE...]          every file, or only those named
//   mediagen --contact-sheet OUT.png DATA_DIR
// The music is synthesised and encoded on a second thread while the
// pictures and models are made, which halves the wall time on two cores.
#include <chrono>
#include <cstdio>
#include <exception>
#include <set>
#include <string>
#include <thread>

#include "tools/mediagen/ContactSheet.h"
#include "tools/mediagen/Outputs.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: mediagen DATA_DIR [FILE...]\n"
               "       mediagen --contact-sheet OUT.png DATA_DIR\n");
  return 2;
}

int Generate(const std::string& dir, const std::set<std::string>& only) {
  const auto start = std::chrono::steady_clock::now();
  const auto wanted = [&](const TOutput& o) { return only.empty() || only.count(o.Name) > 0; };
  std::exception_ptr musicError;
  std::thread music;
  for (const TOutput& o : Outputs())
    if (o.Slow && wanted(o))
      music = std::thread([&, o] {
        try {
          o.Make(dir + "/" + o.Name);
        } catch (...) {
          musicError = std::current_exception();
        }
      });
  int status = 0;
  try {
    for (const TOutput& o : Outputs())
      if (!o.Slow && wanted(o)) o.Make(dir + "/" + o.Name);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mediagen: %s\n", e.what());
    status = 1;
  }
  if (music.joinable()) music.join();
  if (musicError) {
    try {
      std::rethrow_exception(musicError);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "mediagen: %s\n", e.what());
      status = 1;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (status == 0) std::printf("mediagen: wrote %s in %.1f s\n", dir.c_str(), seconds);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string first = argv[1];
  if (first == "--contact-sheet") {
    if (argc != 4) return Usage();
    try {
      WriteContactSheet(argv[3], argv[2]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "mediagen: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  if (first.empty() || first[0] == '-') return Usage();
  std::set<std::string> only;
  for (int i = 2; i < argc; ++i) {
    bool known = false;
    for (const TOutput& o : Outputs()) known = known || o.Name == argv[i];
    if (!known) {
      std::fprintf(stderr, "mediagen: no such file to make: %s\n", argv[i]);
      return 2;
    }
    only.insert(argv[i]);
  }
  return Generate(first, only);
}
