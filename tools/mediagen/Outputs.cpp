// Outputs: names as the demo asks for them ("diag\1.tga" lives in diag/).
#include "tools/mediagen/Outputs.h"

#include "tools/mediagen/Arrangement.h"
#include "tools/mediagen/Mp3Out.h"
#include "tools/mediagen/Music.h"
#include "tools/writers/SncWriter.h"
#include "tools/writers/WriteFile.h"

namespace {

void MakeMusic(const std::string& path) { WriteFileBytes(path, EncodeMp3(RenderMusic())); }

void MakeSync(const std::string& path) {
  TSncTables tables;
  tables.PatternEnds = PatternEnds();
  WriteSnc(path, tables);
}

}  // namespace

const std::vector<TOutput>& Outputs() {
  static const std::vector<TOutput> outputs = {
      {"music.mp3", true, MakeMusic},
      {"test.snc", false, MakeSync},
  };
  return outputs;
}
