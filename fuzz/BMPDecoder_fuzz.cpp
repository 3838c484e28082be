// Fuzz target for the BMP decoder and the resampling its pictures get on
// upload: any bytes either give a picture whose pixels fill exactly its
// size, or a refusal that leaves the image untouched.
#include "engine/BMPDecoder.h"
#include "engine/ImageScale.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TPixelImage image;
  if (DecodeBMP(data, size, image) != TBMPStatus::Ok) {
    FUZZ_CHECK(image.Pixels.empty() && image.Width == 0);
    return 0;
  }
  FUZZ_CHECK(image.Channels == 3 && image.Width > 0 && image.Height > 0);
  FUZZ_CHECK(image.Pixels.size() == std::size_t{image.Width} * image.Height * 3);
  TouchAll(image.Pixels);
  // Resampling costs time by the source pixel, whatever the bytes; it has
  // tests of its own, so only pictures of up to a megapixel go through it.
  if (std::size_t{image.Width} * image.Height > (std::size_t{1} << 20)) return 0;
  const TImageSize pot = PowerOfTwoSize(image.Width, image.Height, 256);
  TouchAll(ScalePixels(image.Pixels.data(), image.Width, image.Height, 3, pot.Width, pot.Height));
  return 0;
}
