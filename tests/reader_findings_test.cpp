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
