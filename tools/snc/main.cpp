// snc: a ".snc" sync track as text (sync/SncText) and back, so that it can
// be kept in version control. See Usage.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/DemoScenes.h"
#include "platform/Files.h"
#include "sync/SncText.h"

namespace {
constexpr const char* Usage =
    "usage: snc dump FILE.snc         print the sync track as text on stdout\n"
    "       snc build TEXT OUT.snc    write the sync track that TEXT gives\n"
    "       snc --help                this text\n"
    "The text has one entry a line: \"end P T\" (pattern P ends at T s), \"t2 I V\",\n"
    "\"t3 I V\", \"t4 I V\" for the other tables; entries not named are 0.\n";

bool ReadInput(const std::string& name, std::vector<std::uint8_t>& bytes) {
  errno = 0;
  if (ReadFileBytes(name, bytes)) return true;
  std::fprintf(stderr, "snc: cannot read %s: %s\n", name.c_str(),
               IsDirectory(name) ? "it is a directory" : std::strerror(errno ? errno : EIO));
  return false;
}

int Dump(const std::string& name) {
  std::vector<std::uint8_t> bytes;
  if (!ReadInput(name, bytes)) return 1;
  const std::string text = SncToText(bytes, [](int pattern) {
    const TDemoScene* scene = SceneOfPattern(pattern);
    return std::string(scene ? scene->Name : "");
  });
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "snc: cannot write the text: %s\n", std::strerror(errno));
    return 1;
  }
  return 0;
}

int Build(const std::string& textName, const std::string& outName) {
  std::vector<std::uint8_t> text;
  if (!ReadInput(textName, text)) return 1;
  std::vector<std::uint8_t> bytes;
  TSncTextError bad;
  if (!SncFromText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), bytes, bad)) {
    std::fprintf(stderr, "snc: %s:%d: %s\n", textName.c_str(), bad.Line, bad.Reason.c_str());
    return 2;
  }
  std::string error;
  if (!WriteFileAtomically(outName, bytes, false, error)) {
    std::fprintf(stderr, "snc: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
  if (args.size() == 3 && args[0] == "build") return Build(args[1], args[2]);
  std::fputs(Usage, stderr);
  return 2;
}
