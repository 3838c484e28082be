// The capture's pictures, files and progress line.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"
#include "frames/FrameImage.h"
#include "tools/capture/PendingFile.h"
#include "frames/PngFile.h"
#include "tools/capture/Progress.h"

namespace fs = std::filesystem;

namespace {
TImage Gray(int width, int height, std::vector<std::uint8_t> values) {
  TImage image = MakeImage(width, height, 1);
  image.Pixels = std::move(values);
  return image;
}
}  // namespace

TEST(FrameImage, FlipPutsTheBottomRowOnTop) {
  TImage image = Gray(2, 3, {1, 2, 3, 4, 5, 6});
  FlipRows(image);
  EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{5, 6, 3, 4, 1, 2}));
}

TEST(FrameImage, ResizeAveragesTheAreaEachPixelCovers) {
  EXPECT_EQ(Resize(Gray(4, 2, {0, 10, 20, 30, 40, 50, 60, 70}), 2, 1).Pixels,
            (std::vector<std::uint8_t>{25, 45}));
  // Three into two: each output pixel covers one and a half input pixels.
  EXPECT_EQ(Resize(Gray(3, 1, {0, 90, 180}), 2, 1).Pixels, (std::vector<std::uint8_t>{30, 150}));
  // Enlarging repeats.
  EXPECT_EQ(Resize(Gray(2, 1, {7, 9}), 4, 1).Pixels, (std::vector<std::uint8_t>{7, 7, 9, 9}));
}

TEST(FrameImage, DropAlphaKeepsColour) {
  TImage rgba = MakeImage(2, 1, 4);
  rgba.Pixels = {1, 2, 3, 4, 5, 6, 7, 8};
  const TImage rgb = DropAlpha(rgba);
  EXPECT_EQ(rgb.Channels, 3);
  EXPECT_EQ(rgb.Pixels, (std::vector<std::uint8_t>{1, 2, 3, 5, 6, 7}));
}

TEST(FrameImage, GridPlacesTilesInRowsWithGaps) {
  std::vector<TImage> tiles = {Gray(2, 1, {1, 1}), Gray(2, 1, {2, 2}), Gray(2, 1, {3, 3})};
  const TImage sheet = ComposeGrid(tiles, 2, 1);
  ASSERT_EQ(sheet.Width, 7);
  ASSERT_EQ(sheet.Height, 5);
  EXPECT_EQ(sheet.Pixels, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0,  //
                                                     0, 1, 1, 0, 2, 2, 0,  //
                                                     0, 0, 0, 0, 0, 0, 0,  //
                                                     0, 3, 3, 0, 0, 0, 0,  //
                                                     0, 0, 0, 0, 0, 0, 0}));
}

TEST(PngFile, PictureComesBackAsWritten) {
  TTempDir dir;
  TImage image = MakeImage(3, 2, 3);
  for (std::size_t i = 0; i < image.Pixels.size(); ++i) image.Pixels[i] = static_cast<std::uint8_t>(i * 13);
  std::string error;
  ASSERT_TRUE(WritePng((dir / "a.png").string(), image, error)) << error;
  TImage back;
  ASSERT_TRUE(ReadPng((dir / "a.png").string(), back, error)) << error;
  EXPECT_EQ(back.Width, 3);
  EXPECT_EQ(back.Height, 2);
  EXPECT_EQ(back.Pixels, image.Pixels);
}

TEST(PngFile, NotAPngIsAnErrorNotACrash) {
  TTempDir dir;
  WriteBytes(dir / "a.png", {'G', 'I', 'F', '8', '9', 'a'});
  TImage image;
  std::string error;
  EXPECT_FALSE(ReadPng((dir / "a.png").string(), image, error));
  EXPECT_NE(error.find("Cannot read"), std::string::npos);
  EXPECT_FALSE(WritePng((dir / "no/such/dir/b.png").string(), MakeImage(1, 1, 3), error));
}

TEST(PendingFile, OutputAppearsUnderItsNameOnlyWhenCommitted) {
  TTempDir dir;
  const std::string name = (dir / "out.mp4").string();
  std::string error;
  {
    TPendingFile file(name);
    ASSERT_TRUE(file.Create(error)) << error;
    EXPECT_EQ(file.TempPath(), name + ".part");
    EXPECT_TRUE(fs::exists(file.TempPath()));
    EXPECT_FALSE(fs::exists(name));
    ASSERT_TRUE(file.Commit(error)) << error;
  }
  EXPECT_TRUE(fs::exists(name));
  EXPECT_FALSE(fs::exists(name + ".part"));
}

TEST(PendingFile, AbandonedOutputLeavesTheEarlierFileAlone) {
  TTempDir dir;
  const std::string name = (dir / "out.mp4").string();
  WriteBytes(name, {'o', 'l', 'd'});
  std::string error;
  {
    TPendingFile file(name);
    ASSERT_TRUE(file.Create(error)) << error;
  }
  EXPECT_FALSE(fs::exists(name + ".part"));
  EXPECT_EQ(fs::file_size(name), 3u) << "a failed capture does not destroy the last good one";
}

TEST(PendingFile, UnwritablePlacesAreRefusedAtOnce) {
  TTempDir dir;
  std::string error;
  TPendingFile missing((dir / "no/such/out.mp4").string());
  EXPECT_FALSE(missing.Create(error));
  EXPECT_EQ(error, "Cannot write " + (dir / "no/such/out.mp4").string() + ": No such file or directory");
  fs::create_directories(dir / "taken.mp4");
  TPendingFile directory((dir / "taken.mp4").string());
  EXPECT_FALSE(directory.Create(error));
  EXPECT_EQ(error, "Cannot write " + (dir / "taken.mp4").string() + ": it is a directory");
}

TEST(Progress, LineShowsShareRateAndTimeLeftWithinTheWidth) {
  const std::string line = ProgressLine(150, 600, 5.0, 80);
  EXPECT_LT(line.size(), 80u);
  EXPECT_EQ(line.front(), '[');
  EXPECT_NE(line.find("] 25% 150/600 30.0 fps left 0:15"), std::string::npos) << line;
  EXPECT_EQ(ProgressLine(0, 600, 0.0, 80).find("left"), std::string::npos) << "no rate before the first frame";
  const std::string narrow = ProgressLine(150, 600, 5.0, 30);
  EXPECT_LT(narrow.size(), 30u);
  EXPECT_EQ(narrow.find('['), std::string::npos) << "too narrow for a bar";
}

TEST(Progress, ClockGrowsAnHourField) {
  EXPECT_EQ(Clock(0), "0:00");
  EXPECT_EQ(Clock(65.4), "1:05");
  EXPECT_EQ(Clock(3725), "1:02:05");
}
