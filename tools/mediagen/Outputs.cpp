// Outputs: names as the demo asks for them ("diag\1.tga" lives in diag/).
#include "tools/mediagen/Outputs.h"

#include "tools/mediagen/Arrangement.h"
#include "tools/mediagen/Mp3Out.h"
#include "tools/mediagen/Models.h"
#include "tools/mediagen/Music.h"
#include "tools/mediagen/Overlays.h"
#include "tools/mediagen/Pictures.h"
#include "tools/mediagen/Textures.h"
#include "tools/writers/JpgWriter.h"
#include "tools/writers/SncWriter.h"
#include "tools/writers/TgaWriter.h"
#include "tools/writers/Writer3DS.h"
#include "tools/writers/WriteFile.h"

namespace {

void MakeMusic(const std::string& path) { WriteFileBytes(path, EncodeMp3(RenderMusic())); }

void MakeSync(const std::string& path) {
  TSncTables tables;
  tables.PatternEnds = PatternEnds();
  WriteSnc(path, tables);
}

// Full-resolution colour keeps lettering clean.
template <TRgbImage (*Picture)()>
void MakeJpeg(const std::string& path) {
  const TRgbImage picture = Picture();
  WriteJpg(path, picture.Width, picture.Height, picture.Pixels, {.Quality = 92, .OptimiseCoding = true});
}

template <int K>
void MakeOverlay(const std::string& path) {
  WriteTga(path, Overlay(K), OverlayEncoding(K));
}

template <T3DSModel (*Model)()>
void MakeModel(const std::string& path) {
  WriteFileBytes(path, Write3DS(Model()));
}

}  // namespace

const std::vector<TOutput>& Outputs() {
  static const std::vector<TOutput> outputs = {
      {"music.mp3", true, MakeMusic},
      {"test.snc", false, MakeSync},
      {"spot.jpg", false, MakeJpeg<SpotTexture>},
      {"vell.jpg", false, MakeJpeg<StillPicture>},
      {"timeup.jpg", false, MakeJpeg<ClosingCard>},
      {"womflash.jpg", false, MakeJpeg<FlashPhoto>},
      {"wombats.jpg", false, MakeJpeg<OpeningPicture>},
      {"1-owners.jpg", false, MakeJpeg<OwnersStrip>},
      {"1-picture.jpg", false, MakeJpeg<PicturePicture>},
      {"stein.jpg", false, MakeJpeg<StoneTexture>},
      {"vann.jpg", false, MakeJpeg<WaterTexture>},
      {"lakris.jpg", false, MakeJpeg<LicoriceEnvironment>},
      {"wombat.3ds", false, MakeModel<WombatModel>},
      {"land.3ds", false, MakeModel<LandModel>},
      {"lakris.3ds", false, MakeModel<LakrisModel>},
      {"diag/1.tga", false, MakeOverlay<1>},
      {"diag/2.tga", false, MakeOverlay<2>},
      {"diag/3.tga", false, MakeOverlay<3>},
      {"diag/4.tga", false, MakeOverlay<4>},
      {"diag/5.tga", false, MakeOverlay<5>},
      {"diag/6.tga", false, MakeOverlay<6>},
      {"diag/7.tga", false, MakeOverlay<7>},
  };
  return outputs;
}
