// Resampling to the power-of-two sizes of textures.
#include <gtest/gtest.h>

#include "engine/ImageScale.h"

namespace {
using TBytes = std::vector<std::uint8_t>;
}

TEST(ImageScale, SidesRoundToTheNearerPowerOfTwoAsGLUDoes) {
  const std::pair<int, int> cases[] = {{1, 1},     {2, 2},      {3, 4},     {5, 4},      {6, 8},      {7, 8},
                                       {600, 512}, {800, 1024}, {767, 512}, {768, 1024}, {1024, 1024}};
  for (auto [side, expected] : cases) EXPECT_EQ(PowerOfTwoSize(side, 1, 16384).Width, expected) << side;
  const TImageSize capped = PowerOfTwoSize(65535, 1000, 16384);
  EXPECT_EQ(capped.Width, 16384);
  EXPECT_EQ(capped.Height, 256) << "both sides halve together";
  const TImageSize tiny = PowerOfTwoSize(1, 65535, 4);
  EXPECT_EQ(tiny.Width, 1);
  EXPECT_EQ(tiny.Height, 4);
}

TEST(ImageScale, AreaAverages) {
  const TBytes same = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(ScalePixels(same.data(), 2, 1, 3, 2, 1), same);
  const TBytes pair = {10, 20, 30, 40};  // 2 x 2, one channel
  EXPECT_EQ(ScalePixels(pair.data(), 2, 2, 1, 1, 1), TBytes{25});
  // 3 -> 4 keeps the outer pixels and blends the inner ones by coverage.
  const TBytes three = {0, 90, 180};
  EXPECT_EQ(ScalePixels(three.data(), 3, 1, 1, 4, 1), (TBytes{0, 60, 120, 180}));
  // Only the width changes: the top row is scaled like the others.
  const TBytes rows = {10, 10, 10, 200, 200, 200};
  EXPECT_EQ(ScalePixels(rows.data(), 3, 2, 1, 4, 2), (TBytes{10, 10, 10, 10, 200, 200, 200, 200}));
  const TBytes rgba = {255, 0, 0, 255, 0, 0, 255, 0};
  EXPECT_EQ(ScalePixels(rgba.data(), 2, 1, 4, 1, 1), (TBytes{128, 0, 128, 128}));
}
