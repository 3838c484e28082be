// The image decoders on bytes in memory: no files, no GL.
#include <gtest/gtest.h>

#include "engine/BMPDecoder.h"
#include "engine/ImagePrefetch.h"
#include "engine/JPGDecoder.h"
#include "engine/TGADecoder.h"
#include "support/TestImages.h"
#include "support/TestSupport.h"

namespace {
TTGAStatus Tga(const TBytes& bytes, TPixelImage& image) {
  return DecodeTGA(bytes.data(), bytes.size(), image);
}
TBMPStatus Bmp(const TBytes& bytes, TPixelImage& image) {
  return DecodeBMP(bytes.data(), bytes.size(), image);
}

TBytes Pixel(int i) { return {std::uint8_t(i), std::uint8_t(i + 1), std::uint8_t(i + 2)}; }
TBytes Concat(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const TBytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
}  // namespace

TEST(TGADecoder, UncompressedSwapsBlueAndRedAndKeepsAlpha) {
  TPixelImage image;
  TBytes bgr = {10, 20, 30, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  ASSERT_EQ(Tga(TGABytes({.Width = 2, .Height = 2, .Depth = 24}, bgr), image), TTGAStatus::Ok);
  EXPECT_EQ(image.Width, 2);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.Channels, 3);
  EXPECT_EQ(image.Pixels, (TBytes{30, 20, 10, 3, 2, 1, 6, 5, 4, 9, 8, 7}));

  TBytes bgra = {10, 20, 30, 40, 1, 2, 3, 0, 4, 5, 6, 255, 7, 8, 9, 128};
  ASSERT_EQ(Tga(TGABytes({.Width = 2, .Height = 2, .Depth = 32}, bgra), image), TTGAStatus::Ok);
  EXPECT_EQ(image.Channels, 4);
  EXPECT_EQ(image.Pixels, (TBytes{30, 20, 10, 40, 3, 2, 1, 0, 6, 5, 4, 255, 9, 8, 7, 128}));
}

TEST(TGADecoder, ImageIdIsSkippedBeforeThePixels) {
  TPixelImage image;
  TBytes bytes = TGABytes({.IdLength = 5, .Width = 1, .Height = 1}, {10, 20, 30});
  ASSERT_EQ(Tga(bytes, image), TTGAStatus::Ok);
  EXPECT_EQ(image.Pixels, (TBytes{30, 20, 10}));
}

TEST(TGADecoder, RunAndRawPacketsAcrossRowEnds) {
  TPixelImage image;
  // 0x83: the next pixel 4 times; 0x03: the next 4 pixels. 4 x 2 pixels.
  TBytes runs = Concat({{0x83}, Pixel(10), {0x03}, Pixel(20), Pixel(30), Pixel(40), Pixel(50)});
  ASSERT_EQ(Tga(TGABytes({.ImageType = 10, .Width = 4, .Height = 2}, runs), image), TTGAStatus::Ok);
  TBytes expected = Concat({{12, 11, 10},
                            {12, 11, 10},
                            {12, 11, 10},
                            {12, 11, 10},
                            {22, 21, 20},
                            {32, 31, 30},
                            {42, 41, 40},
                            {52, 51, 50}});
  EXPECT_EQ(image.Pixels, expected);

  // One run that spans both rows of a 3 x 2 picture, 32 bits with alpha.
  TBytes run32 = {0x85, 1, 2, 3, 77};
  ASSERT_EQ(Tga(TGABytes({.ImageType = 10, .Width = 3, .Height = 2, .Depth = 32}, run32), image),
            TTGAStatus::Ok);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(TBytes(image.Pixels.begin() + i * 4, image.Pixels.begin() + i * 4 + 4), (TBytes{3, 2, 1, 77}));
}

TEST(TGADecoder, PacketsRunningPastTheLastPixelAreCutThere) {
  TPixelImage image;
  // 2 x 1 picture: a run of 6 and a raw packet of 4 whose tail is missing.
  ASSERT_EQ(Tga(TGABytes({.ImageType = 10, .Width = 2, .Height = 1}, Concat({{0x85}, Pixel(10)})), image),
            TTGAStatus::Ok);
  EXPECT_EQ(image.Pixels, (TBytes{12, 11, 10, 12, 11, 10}));
  ASSERT_EQ(Tga(TGABytes({.ImageType = 10, .Width = 2, .Height = 1}, Concat({{0x03}, Pixel(10), Pixel(20)})),
                image),
            TTGAStatus::Ok);
  EXPECT_EQ(image.Pixels, (TBytes{12, 11, 10, 22, 21, 20}));
}

TEST(TGADecoder, PacketsRunningPastTheInputAreRefused) {
  TPixelImage image;
  const TTGAHeader header{.ImageType = 10, .Width = 4, .Height = 1};
  EXPECT_EQ(Tga(TGABytes(header, Concat({{0x03}, Pixel(1), Pixel(2)})), image), TTGAStatus::ShortData)
      << "raw packet short";
  EXPECT_EQ(Tga(TGABytes(header, {0x83, 1, 2}), image), TTGAStatus::ShortData) << "run pixel short";
  EXPECT_EQ(Tga(TGABytes(header, Concat({{0x81}, Pixel(1)})), image), TTGAStatus::ShortData)
      << "input ends early";
  EXPECT_EQ(Tga(TGABytes(header, {}), image), TTGAStatus::ShortData) << "no packets";
  EXPECT_EQ(image.Width, 0) << "a refused file leaves the image alone";
}

TEST(TGADecoder, RefusalsComeInTheOrderTypeColourMapDepth) {
  TPixelImage image;
  for (std::uint8_t type : {1, 3, 9, 0, 11})
    EXPECT_EQ(Tga(TGABytes({.ImageType = type, .Width = 1, .Height = 1}, Pixel(0)), image),
              TTGAStatus::BadImageType);
  EXPECT_EQ(Tga(TGABytes({.ColourMapType = 1, .ImageType = 1, .Depth = 8}, {}), image),
            TTGAStatus::BadImageType);
  EXPECT_EQ(Tga(TGABytes({.ColourMapType = 1, .Width = 1, .Height = 1, .Depth = 16}, Pixel(0)), image),
            TTGAStatus::ColorMapped);
  for (std::uint8_t depth : {8, 15, 16, 31, 0})
    EXPECT_EQ(Tga(TGABytes({.Width = 1, .Height = 1, .Depth = depth}, Pixel(0)), image),
              TTGAStatus::BadPixelDepth);
}

TEST(TGADecoder, ShortFilesAndImpossibleSizesAreShortData) {
  TPixelImage image;
  TBytes full = TGABytes({.Width = 2, .Height = 2}, TBytes(12, 9));
  for (std::size_t size : {0, 1, 17, 18, 29}) {
    TBytes cut(full.begin(), full.begin() + size);
    EXPECT_EQ(Tga(cut, image), TTGAStatus::ShortData) << size << " bytes";
  }
  // 19 bytes claiming 65535 x 65535: refused from the header alone.
  EXPECT_EQ(Tga(TGABytes({.Width = 65535, .Height = 65535}, {0}), image), TTGAStatus::ShortData);
  EXPECT_EQ(Tga(TGABytes({.ImageType = 10, .Width = 65535, .Height = 65535}, {0}), image),
            TTGAStatus::ShortData);
  // Within the size limit, but far more pixels than 40 bytes of packets give.
  EXPECT_EQ(Tga(TGABytes({.ImageType = 10, .Width = 4096, .Height = 4096}, TBytes(40, 0xFF)), image),
            TTGAStatus::ShortData);
  EXPECT_EQ(Tga(TGABytes({.IdLength = 200, .Width = 1, .Height = 1}, {}), image), TTGAStatus::ShortData)
      << "ID field longer than the file";
  EXPECT_EQ(Tga(TGABytes({.Width = 0, .Height = 5}, {}), image), TTGAStatus::ShortData) << "no pixels at all";
}

TEST(BMPDecoder, HeaderThenPixelsBottomRowFirst) {
  TPixelImage image;
  // 4 x 2: rows of 12 bytes need no fill; colours-used and image size 0.
  TBytes bits;
  for (int i = 0; i < 8; ++i) bits.insert(bits.end(), {std::uint8_t(i), 100, std::uint8_t(200 + i)});
  TBytes file = BMPBytes({.Width = 4, .Height = 2}, bits);
  ASSERT_EQ(file.size(), 54u + 24u);
  ASSERT_EQ(Bmp(file, image), TBMPStatus::Ok);
  EXPECT_EQ(image.Width, 4);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.Channels, 3);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(image.Pixels[i * 3], 200 + i);
    EXPECT_EQ(image.Pixels[i * 3 + 1], 100);
    EXPECT_EQ(image.Pixels[i * 3 + 2], i);
  }
}

TEST(BMPDecoder, FillBytesAreDroppedAndTopDownRowsTurned) {
  TPixelImage image;
  // 2 x 2: 6 pixel bytes and 2 fill bytes per stored row.
  TBytes bits = {1, 2, 3, 4, 5, 6, 0xAA, 0xAA, 7, 8, 9, 10, 11, 12, 0xAA, 0xAA};
  ASSERT_EQ(Bmp(BMPBytes({.Width = 2, .Height = 2}, bits), image), TBMPStatus::Ok);
  EXPECT_EQ(image.Pixels, (TBytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
  ASSERT_EQ(Bmp(BMPBytes({.Width = 2, .Height = -2}, bits), image), TBMPStatus::Ok);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.Pixels, (TBytes{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));
  // An image-size field too small for the rows does not shrink what is read.
  ASSERT_EQ(Bmp(BMPBytes({.Width = 2, .Height = 2, .ImageSize = 3}, bits), image), TBMPStatus::Ok);
  EXPECT_EQ(image.Pixels.size(), 12u);
}

TEST(BMPDecoder, PaletteIsSkippedAndMustBeWhole) {
  TPixelImage image;
  ASSERT_EQ(
      Bmp(BMPBytes({.Width = 1, .Height = 1, .ColoursUsed = 2, .PaletteEntries = 2}, {1, 2, 3, 0}), image),
      TBMPStatus::Ok);
  EXPECT_EQ(image.Pixels, (TBytes{3, 2, 1}));
  TBytes file = BMPBytes({.Width = 1, .Height = 1, .ColoursUsed = 2, .PaletteEntries = 2}, {});
  file.resize(54 + 7);
  EXPECT_EQ(Bmp(file, image), TBMPStatus::ShortPalette);
  EXPECT_EQ(Bmp(BMPBytes({.Width = 1, .Height = 1, .ColoursUsed = 0xFFFFFFFF}, {}), image),
            TBMPStatus::ShortPalette);
}

TEST(BMPDecoder, ShortAndUnsupportedFilesAreRefused) {
  TPixelImage image;
  TBytes good = BMPBytes({.Width = 2, .Height = 2}, TBytes(16, 1));
  EXPECT_EQ(Bmp(TBytes(good.begin(), good.begin() + 53), image), TBMPStatus::ShortHeader);
  EXPECT_EQ(Bmp(TBytes(good.begin(), good.end() - 1), image), TBMPStatus::ShortData);
  EXPECT_EQ(Bmp(BMPBytes({.Width = 2, .Height = 2, .BitCount = 32}, TBytes(16, 1)), image),
            TBMPStatus::Unsupported);
  EXPECT_EQ(Bmp(BMPBytes({.Width = 2, .Height = 2, .BitCount = 8}, TBytes(16, 1)), image),
            TBMPStatus::Unsupported);
  EXPECT_EQ(Bmp(BMPBytes({.Width = 2, .Height = 2, .Compression = 1}, TBytes(16, 1)), image),
            TBMPStatus::Unsupported);
  EXPECT_EQ(Bmp(BMPBytes({.Width = 2, .Height = 2, .InfoSize = 124}, TBytes(16, 1)), image),
            TBMPStatus::Unsupported);
  for (auto [w, h] : {std::pair{0, 2}, {2, 0}, {-2, 2}, {70000, 1}, {65535, 65535}, {1, -2147483647 - 1}})
    EXPECT_EQ(Bmp(BMPBytes({.Width = w, .Height = h}, TBytes(16, 1)), image), TBMPStatus::ShortData)
        << w << "x" << h;
  EXPECT_EQ(image.Width, 0) << "a refused file leaves the image alone";
}

TEST(JPGDecoder, RGBAWithOpaqueAlphaAndTheBottomRowFirst) {
  // 16 x 16: the top 8 rows red, the bottom 8 blue.
  TBytes rgb;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const TBytes colour = y < 8 ? TBytes{255, 0, 0} : TBytes{0, 0, 255};
      rgb.insert(rgb.end(), colour.begin(), colour.end());
    }
  TBytes file = JPGBytes(16, 16, rgb);
  TPixelImage image;
  ASSERT_TRUE(DecodeJPG(file.data(), file.size(), image));
  EXPECT_EQ(image.Width, 16);
  EXPECT_EQ(image.Height, 16);
  EXPECT_EQ(image.Channels, 4);
  ASSERT_EQ(image.Pixels.size(), 16u * 16u * 4u);
  for (std::size_t i = 3; i < image.Pixels.size(); i += 4) ASSERT_EQ(image.Pixels[i], 255);
  const std::uint8_t* first = image.Pixels.data();
  const std::uint8_t* last = image.Pixels.data() + 15 * 16 * 4;
  EXPECT_LE(first[0], 4);
  EXPECT_GE(first[2], 250) << "first row is the picture's bottom row (blue)";
  EXPECT_GE(last[0], 250);
  EXPECT_LE(last[2], 4);
}

TEST(JPGDecoder, SizesThatAreNotBlockMultiples) {
  TBytes file = SolidJPG(5, 3, 0, 200, 0);
  TPixelImage image;
  ASSERT_TRUE(DecodeJPG(file.data(), file.size(), image));
  EXPECT_EQ(image.Width, 5);
  EXPECT_EQ(image.Height, 3);
  EXPECT_NEAR(image.Pixels[4 * 14 + 1], 200, 3);
}

TEST(JPGDecoder, DamageBeforeOrAfterTheHeaderFails) {
  TBytes file = SolidJPG(64, 64, 10, 20, 30);
  TPixelImage image;
  EXPECT_FALSE(DecodeJPG(file.data(), 0, image));
  EXPECT_FALSE(DecodeJPG(file.data(), 100, image)) << "cut inside the header";
  const TBytes noise(500, 0x5A);
  EXPECT_FALSE(DecodeJPG(noise.data(), noise.size(), image));
  // The header reads fine; the data ends early.
  EXPECT_FALSE(DecodeJPG(file.data(), file.size() - 40, image));
  // A frame that promises more lines than the scan carries, then ends.
  TBytes bad = file;
  for (std::size_t i = 0; i + 1 < bad.size(); ++i)
    if (bad[i] == 0xFF && bad[i + 1] == 0xDA) {  // start of scan: smash the entropy data
      for (std::size_t k = i + 20; k < bad.size() - 2; ++k) bad[k] = 0xFF;
      break;
    }
  EXPECT_FALSE(DecodeJPG(bad.data(), bad.size(), image));
  EXPECT_EQ(image.Width, 0) << "a failed decode leaves the image alone";
  EXPECT_TRUE(DecodeJPG(file.data(), file.size(), image)) << "the decoder is usable after failures";
}

// Prefetching: each name is decoded once, in the background, and taken once;
// a damaged or missing file comes back as it went, for the loader to say.
TEST(ImagePrefetch, TakesEachNameOnceAndKeepsFailuresForTheLoader) {
  TTempDir dir(true);
  WriteBytes("good.jpg", SolidJPG(5, 3, 0, 200, 0));
  TBytes cut = SolidJPG(16, 16, 1, 2, 3);
  cut.resize(cut.size() / 2);
  WriteBytes("cut.jpg", cut);
  WriteBytes("good.TGA", TGABytes({.Width = 1, .Height = 1}, {10, 20, 30}));
  WriteBytes("deep.tga", TGABytes({.Width = 1, .Height = 1, .Depth = 16}, {1, 2}));
  PrefetchImages({"good.jpg", "cut.jpg", "missing.jpg", "good.TGA", "deep.tga"});
  TPixelImage image;
  const auto take = [&](const char* name, TImageKind kind) { return TakePrefetchedImage(name, kind, image); };
  EXPECT_EQ(take("other.jpg", TImageKind::JPG), std::nullopt) << "never prefetched";
  EXPECT_EQ(take("good.TGA", TImageKind::JPG), std::nullopt) << "prefetched as the other kind";
  const auto missing = take("missing.jpg", TImageKind::JPG);
  ASSERT_TRUE(missing);
  EXPECT_FALSE(missing->Read);
  const auto good = take("good.jpg", TImageKind::JPG);
  ASSERT_TRUE(good);
  EXPECT_TRUE(good->Decoded);
  EXPECT_EQ(image.Width, 5);
  EXPECT_EQ(image.Height, 3);
  EXPECT_EQ(take("good.jpg", TImageKind::JPG), std::nullopt) << "taken already: the loader reads it again";
  const auto damaged = take("cut.jpg", TImageKind::JPG);
  ASSERT_TRUE(damaged);
  EXPECT_TRUE(damaged->Read);
  EXPECT_FALSE(damaged->Decoded);
  const auto deep = take("deep.tga", TImageKind::TGA);
  ASSERT_TRUE(deep);
  EXPECT_EQ(deep->TGA, TTGAStatus::BadPixelDepth);
  const auto tga = take("good.TGA", TImageKind::TGA);
  ASSERT_TRUE(tga && tga->Decoded);
  EXPECT_EQ(image.Pixels, (TBytes{30, 20, 10}));
  EndPrefetch();
  PrefetchImages({"good.jpg"});
  EndPrefetch();
  EXPECT_EQ(take("good.jpg", TImageKind::JPG), std::nullopt) << "dropped at the end of start-up";
}
