// Fuzz target for the JPEG wrapper over libjpeg: damaged data is refused
// (libjpeg's errors and warnings alike) without leaking or touching memory
// outside the picture, and a decoded picture is RGBA of exactly its size.
#include "engine/ImageScale.h"
#include "engine/JPGDecoder.h"
#include "fuzz/FuzzCheck.h"

namespace {
// The picture size of the first frame header, walking the segments from the
// start; 0 when there is none to find that way.
std::uint64_t DeclaredPixels(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 2;  // past the start-of-image marker
  while (at + 9 <= size && data[at] == 0xFF) {
    const std::uint8_t marker = data[at + 1];
    const std::size_t length = std::size_t{data[at + 2]} << 8 | data[at + 3];
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      const std::uint64_t height = std::uint64_t{data[at + 5]} << 8 | data[at + 6];
      const std::uint64_t width = std::uint64_t{data[at + 7]} << 8 | data[at + 8];
      return width * height;
    }
    if (length < 2) return 0;
    at += 2 + length;
  }
  return 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Decoding time grows with the declared picture, whatever the bytes: 390
  // bytes of arithmetic-coded data can declare 16 megapixels that decode in
  // full (1.4 s under the sanitizers). Such pictures are within the limits,
  // and the tests cover them; the run's time goes to damaged data instead.
  if (DeclaredPixels(data, size) > (std::uint64_t{1} << 21)) return 0;
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
