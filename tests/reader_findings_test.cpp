// Inputs the fuzz targets and the bad-media runs turned up, kept so the
// readers never take them badly again.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>

#include "engine/JPGDecoder.h"
#include "support/TestImages.h"

namespace {
// Peak resident memory of this process so far, in MiB.
long PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// The file with the frame header's height and width replaced.
TBytes WithClaimedSize(TBytes file, std::uint16_t width, std::uint16_t height) {
  for (std::size_t i = 0; i + 9 < file.size(); ++i)
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
      file[i + 5] = static_cast<std::uint8_t>(height >> 8);
      file[i + 6] = static_cast<std::uint8_t>(height);
      file[i + 7] = static_cast<std::uint8_t>(width >> 8);
      file[i + 8] = static_cast<std::uint8_t>(width);
      return file;
    }
  ADD_FAILURE() << "no frame header";
  return file;
}
}  // namespace

// A few hundred bytes claiming 8192 x 8192 pixels used to get the whole
// 256 MiB picture allocated (and decoded as grey after the data ran out)
// before the missing data was noticed.
TEST(ReaderFindings, TinyJPEGClaimingAHugePictureIsRefusedWithoutItsMemory) {
  const TBytes file = WithClaimedSize(SolidJPG(8, 8, 1, 2, 3), 8192, 8192);
  ASSERT_LT(file.size(), 1000u);
  const long before = PeakMiB();
  TPixelImage image;
  EXPECT_FALSE(DecodeJPG(file.data(), file.size(), image));
  EXPECT_TRUE(image.Pixels.empty());
  EXPECT_LT(PeakMiB() - before, 64) << "memory followed the header, not the data";
}

// 103 bytes of arithmetic-coded JPEG (found by the fuzzer) hold a whole
// 1024 x 11731 greyscale picture: within the size limit, so it is a picture,
// decoded in full, not a damaged file.
TEST(ReaderFindings, TinyArithmeticCodedJPEGIsAWholeLargePicture) {
  const TBytes file = {
      0xff, 0xd8, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x2a, 0x02, 0x02, 0x03, 0x02, 0x02, 0x03, 0xa9, 0xaa, 0xb2, 0xb3,
      0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0x00, 0x00, 0x00, 0x00, 0x00, 0xf7, 0xff, 0x6d, 0x2f, 0xca, 0xd2, 0xd3,
      0x0c, 0x0b, 0x0a, 0x0b, 0x0b, 0x0d, 0x0e, 0x12, 0x10, 0x0d, 0x0e, 0x11, 0x0e, 0x0b, 0x0b, 0x10, 0x16, 0x10,
      0x11, 0x13, 0x14, 0x15, 0x15, 0x15, 0x0b, 0x0f, 0x17, 0x18, 0x16, 0x14, 0x18, 0x12, 0x14, 0x15, 0x14, 0xff,
      0xc9, 0x00, 0x0b, 0x08, 0x2d, 0xd3, 0x04, 0x00, 0x01, 0x01, 0x11, 0x00, 0xff, 0xda, 0x00, 0x08, 0x01, 0x01,
      0x00, 0x00, 0x3f, 0x00, 0x92, 0x92, 0x92, 0x92, 0x92, 0x92, 0xbf, 0xff, 0xd9};
  TPixelImage image;
  ASSERT_TRUE(DecodeJPG(file.data(), file.size(), image));
  EXPECT_EQ(image.Width, 1024);
  EXPECT_EQ(image.Height, 11731);
  ASSERT_EQ(image.Pixels.size(), 1024u * 11731u * 4u);
  for (std::size_t at : {std::size_t{0}, image.Pixels.size() / 2, image.Pixels.size() - 4}) {
    const std::uint8_t* p = &image.Pixels[at];
    EXPECT_TRUE(p[0] == p[1] && p[1] == p[2] && p[3] == 255) << "grey, opaque at byte " << at;
  }
}
