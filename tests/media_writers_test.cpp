// The TGA, JPEG and .snc writers: what they write reads back the same,
// through an independent TGA decoder, the demo's JPEG decoder and the sync
// track itself.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "support/MediaDecode.h"
#include "support/TestSupport.h"
#include "engine/JPGDecoder.h"
#include "sync/Sync.h"
#include "tools/writers/JpgWriter.h"
#include "tools/writers/SncWriter.h"
#include "tools/writers/TgaWriter.h"

namespace {

// Long runs, lone pixels, a row edge in the middle of a run, and alpha.
TRgbaImage Sample(int w, int h) {
  TRgbaImage img{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 4)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &img.Pixels[(static_cast<std::size_t>(y) * w + x) * 4];
      const bool flat = x < w / 2;
      p[0] = flat ? 200 : static_cast<std::uint8_t>(x * 7 + y);
      p[1] = flat ? 10 : static_cast<std::uint8_t>(y * 3);
      p[2] = static_cast<std::uint8_t>(y);
      p[3] = flat ? 0 : static_cast<std::uint8_t>(255 - x);
    }
  return img;
}

TDecodedImage Decode(const std::vector<std::uint8_t>& bytes) {
  TDecodedImage out;
  std::string error;
  EXPECT_TRUE(DecodeTga(bytes, out, error)) << error;
  return out;
}

}  // namespace

TEST(TgaWriter, BothEncodingsReadBackToTheSamePixelsTopRowFirst) {
  for (auto [w, h] : {std::pair{300, 5}, std::pair{1, 1}, std::pair{129, 3}}) {
    const TRgbaImage img = Sample(w, h);
    const TDecodedImage raw = Decode(EncodeTga(img, TTgaEncoding::Uncompressed));
    const TDecodedImage rle = Decode(EncodeTga(img, TTgaEncoding::RunLength));
    EXPECT_EQ(raw.TgaType, 2);
    EXPECT_EQ(rle.TgaType, 10);
    for (const TDecodedImage* d : {&raw, &rle}) {
      EXPECT_EQ(d->Width, w);
      EXPECT_EQ(d->Height, h);
      EXPECT_EQ(d->Channels, 4);
      EXPECT_EQ(d->Pixels, img.Pixels) << w << "x" << h;
    }
  }
}

TEST(TgaWriter, HeaderHasBottomLeftOriginAndStoresTheBottomRowFirst) {
  TRgbaImage img{2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
  const auto bytes = EncodeTga(img, TTgaEncoding::Uncompressed);
  ASSERT_EQ(bytes.size(), 18u + 16u);
  EXPECT_EQ(bytes[1], 0) << "no colour map";
  EXPECT_EQ(bytes[16], 32);
  EXPECT_EQ(bytes[17] & 0x20, 0) << "bottom-left origin";
  // First stored pixel: bottom-left of the picture (9, 10, 11, 12) as BGRA.
  EXPECT_EQ(bytes[18], 11);
  EXPECT_EQ(bytes[19], 10);
  EXPECT_EQ(bytes[20], 9);
  EXPECT_EQ(bytes[21], 12);
}

TEST(TgaWriter, RunLengthPacketsStayWithinRowsAndCompressFlatGround) {
  TRgbaImage flat{300, 4, std::vector<std::uint8_t>(300 * 4 * 4, 0)};
  const auto bytes = EncodeTga(flat, TTgaEncoding::RunLength);
  // 300 = 128 + 128 + 44 per row: three run packets of 5 bytes each.
  EXPECT_EQ(bytes.size(), 18u + 4u * 3u * 5u);
  EXPECT_EQ(bytes[18], 0x80 | 127);
  EXPECT_EQ(bytes[18 + 10], 0x80 | 43);
}

TEST(TgaWriter, RefusesSizesItCannotStore) {
  EXPECT_THROW(EncodeTga(TRgbaImage{0, 4, {}}, TTgaEncoding::Uncompressed), std::invalid_argument);
  EXPECT_THROW(EncodeTga(TRgbaImage{70000, 1, std::vector<std::uint8_t>(280000)}, TTgaEncoding::RunLength),
               std::invalid_argument);
  EXPECT_THROW(EncodeTga(TRgbaImage{2, 2, std::vector<std::uint8_t>(15)}, TTgaEncoding::Uncompressed),
               std::invalid_argument);
}

TEST(SncWriter, WritesFourTablesThatTheSyncTrackReadsBack) {
  TSncTables tables;
  tables.PatternEnds = {1.5f, 3.25f, 1e-3f, 70.0f};
  tables.Extra[1] = {-2.0f, std::nextafter(1.0f, 2.0f)};
  tables.Extra[2] = std::vector<float>(101, 0.5f);
  const auto bytes = EncodeSnc(tables);
  ASSERT_EQ(bytes.size(), 1616u);
  TTempDir dir;
  WriteSnc((dir / "t.snc").string(), tables);
  TSync sync;
  sync.LoadFromFile((dir / "t.snc").string());
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(sync.PatternEnds[i], tables.PatternEnds[i]);
  EXPECT_EQ(sync.PatternEnds[4], 0.0f);
  EXPECT_EQ(sync.ExtraTables[0][0], 0.0f);
  EXPECT_EQ(sync.ExtraTables[1][1], tables.Extra[1][1]);
  EXPECT_EQ(sync.ExtraTables[2][100], 0.5f);
  // Little-endian on disk whatever the host: 1.5f is 0x3FC00000.
  EXPECT_EQ(bytes[0], 0x00);
  EXPECT_EQ(bytes[2], 0xC0);
  EXPECT_EQ(bytes[3], 0x3F);
}

TEST(SncWriter, RefusesATableLongerThan101) {
  TSncTables tables;
  tables.PatternEnds.assign(102, 1.0f);
  EXPECT_THROW(EncodeSnc(tables), std::invalid_argument);
  tables.PatternEnds.clear();
  tables.Extra[0].assign(102, 1.0f);
  EXPECT_THROW(EncodeSnc(tables), std::invalid_argument);
}

// Every style decodes to the picture it was given, within JPEG's loss: a
// flat colour comes back flat whatever the sampling, grey or scan order.
TEST(JpgWriter, EveryStyleDecodesToThePictureItWasGiven) {
  const int w = 19, h = 11;
  for (const TJpgStyle& style : {TJpgStyle{}, TJpgStyle{.Quality = 50, .Sampling = 2, .Restart = 1},
                                 TJpgStyle{.Grey = true}, TJpgStyle{.Progressive = true, .OptimiseCoding = true}}) {
    const int components = style.Grey ? 1 : 3;
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < w * h; ++i)
      for (int c = 0; c < components; ++c) pixels.push_back(static_cast<std::uint8_t>(40 + 80 * c));
    const std::vector<std::uint8_t> file = EncodeJpg(w, h, pixels, style);
    TPixelImage image;
    ASSERT_TRUE(DecodeJPG(file.data(), file.size(), image)) << "grey " << style.Grey;
    ASSERT_EQ(image.Width, w);
    ASSERT_EQ(image.Height, h);
    ASSERT_EQ(image.Channels, 4);  // alpha added
    for (std::size_t i = 0; i < image.Pixels.size(); i += 4)
      for (int c = 0; c < 3; ++c)
        ASSERT_NEAR(image.Pixels[i + c], style.Grey ? 40 : 40 + 80 * c, 3) << "byte " << i + c;
  }
}

TEST(JpgWriter, RefusesAPixelCountThatDoesNotMatchTheSize) {
  EXPECT_THROW(EncodeJpg(4, 4, std::vector<std::uint8_t>(4 * 4 * 3 - 1)), std::invalid_argument);
  EXPECT_THROW(EncodeJpg(4, 4, std::vector<std::uint8_t>(4 * 4 * 3), {.Grey = true}), std::invalid_argument);
  EXPECT_THROW(EncodeJpg(0, 4, {}), std::invalid_argument);
}
