// Fuzz target for the JPEG wrapper over libjpeg: damaged data is refused
// (libjpeg's errors and warnings alike) without leaking or touching memory
// outside the picture, and a decoded picture is RGBA of exactly its size.
#include "engine/ImageScale.h"
#include "engine/JPGDecoder.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TPixelImage image;
  if (!DecodeJPG(data, size, image)) {
    FUZZ_CHECK(image.Pixels.empty() && image.Width == 0);
    return 0;
  }
  FUZZ_CHECK(image.Channels == 4 && image.Width > 0 && image.Height > 0);
  FUZZ_CHECK(image.Pixels.size() == std::size_t{image.Width} * image.Height * 4);
  for (std::size_t i = 3; i < image.Pixels.size(); i += 4) FUZZ_CHECK(image.Pixels[i] == 255);
  TouchAll(image.Pixels);
  // Resampling costs time by the source pixel, whatever the bytes; it has
  // tests of its own, so only pictures of up to a megapixel go through it.
  if (std::size_t{image.Width} * image.Height > (std::size_t{1} << 20)) return 0;
  const TImageSize pot = PowerOfTwoSize(image.Width, image.Height, 256);
  TouchAll(ScalePixels(image.Pixels.data(), image.Width, image.Height, 4, pot.Width, pot.Height));
  return 0;
}
