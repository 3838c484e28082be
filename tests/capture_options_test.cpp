// The capture program's command line.
#include <gtest/gtest.h>

#include <filesystem>

#include "tools/capture/CaptureOptions.h"
#include "frames/FrameClock.h"

namespace {
TParsedOptions Parse(std::vector<std::string> args) { return ParseCaptureOptions(args); }
}  // namespace

TEST(CaptureOptions, EveryOptionIsReadAndPathsBecomeAbsolute) {
  const TParsedOptions p =
      Parse({"--data", "demo", "--fps", "30", "--start", "1.5", "--end", "12", "--size", "640x480", "--video",
             "out.MKV", "--codec", "ffv1", "--still", "2.5:a.png", "--still", "3:shots/b:1.png", "--contact-sheet",
             "sheet.png", "--times", "1,2.5,4", "--columns", "3", "--tile", "160x120"});
  ASSERT_EQ(p.Error, "");
  const TCaptureOptions& o = p.Options;
  const std::filesystem::path cwd = std::filesystem::current_path();
  EXPECT_EQ(o.DataDir, (cwd / "demo").string());
  EXPECT_EQ(o.Fps, 30);
  EXPECT_DOUBLE_EQ(o.Start, 1.5);
  ASSERT_TRUE(o.End.has_value());
  EXPECT_DOUBLE_EQ(*o.End, 12);
  EXPECT_EQ(o.Width, 640);
  EXPECT_EQ(o.Height, 480);
  EXPECT_TRUE(o.SizeGiven);
  EXPECT_EQ(o.Video, (cwd / "out.MKV").string());
  EXPECT_EQ(o.Codec, TVideoCodec::FFV1);
  ASSERT_EQ(o.Stills.size(), 2u);
  EXPECT_DOUBLE_EQ(o.Stills[1].Time, 3);
  EXPECT_EQ(o.Stills[1].File, (cwd / "shots/b:1.png").string()) << "only the first colon separates";
  EXPECT_EQ(o.ContactSheet, (cwd / "sheet.png").string());
  EXPECT_EQ(o.SheetTimes, (std::vector<double>{1, 2.5, 4}));
  EXPECT_EQ(o.SheetColumns, 3);
  EXPECT_EQ(o.TileWidth, 160);
  EXPECT_EQ(o.TileHeight, 120);
  const TCaptureOptions q = Parse({"--video", "a.mp4", "--mute", "--pattern", "12"}).Options;
  EXPECT_TRUE(q.Mute);
  EXPECT_EQ(q.StartPattern, 12);
}

TEST(CaptureOptions, DefaultsAreTheDemosOwnFrame) {
  const TParsedOptions p = Parse({"--video", "demo.mp4"});
  ASSERT_EQ(p.Error, "");
  EXPECT_EQ(p.Options.Fps, 60);
  EXPECT_EQ(p.Options.Width, 800);
  EXPECT_EQ(p.Options.Height, 600);
  EXPECT_FALSE(p.Options.End.has_value());
  EXPECT_EQ(p.Options.Codec, TVideoCodec::H264);
  EXPECT_TRUE(Parse({"-h"}).Options.Help);
}

TEST(CaptureOptions, BadCommandLinesSayWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "nothing to write: give --video, --still or --contact-sheet"},
      {{"--video"}, "--video needs a value"},
      {{"--frobnicate", "1"}, "unknown option: --frobnicate"},
      {{"out.mp4"}, "unexpected argument: out.mp4"},
      {{"--fps", "0", "--video", "a.mp4"}, "--fps takes a whole number from 1 to 1000: 0"},
      {{"--fps", "1001", "--video", "a.mp4"}, "--fps takes a whole number from 1 to 1000: 1001"},
      {{"--fps", "29.97", "--video", "a.mp4"}, "--fps takes a whole number from 1 to 1000: 29.97"},
      {{"--fps", "99999999999", "--video", "a.mp4"}, "--fps takes a whole number from 1 to 1000: 99999999999"},
      {{"--start", "-1", "--video", "a.mp4"}, "--start takes a time in seconds, 0 or more: -1"},
      {{"--end", "nan", "--video", "a.mp4"}, "--end takes a time in seconds, 0 or more: nan"},
      {{"--start", "inf", "--video", "a.mp4"}, "--start takes a time in seconds, 0 or more: inf"},
      {{"--start", "5", "--end", "4", "--video", "a.mp4"}, "--end is before --start"},
      {{"--fps", "10", "--start", "0.51", "--end", "0.58", "--video", "a.mp4"},
       "no frame lies between --start and --end at this frame rate"},
      {{"--size", "800", "--video", "a.mp4"}, "--size takes WIDTHxHEIGHT, each 1 to 8192: 800"},
      {{"--size", "0x600", "--video", "a.mp4"}, "--size takes WIDTHxHEIGHT, each 1 to 8192: 0x600"},
      {{"--size", "9000x600", "--video", "a.mp4"}, "--size takes WIDTHxHEIGHT, each 1 to 8192: 9000x600"},
      {{"--size", "641x480", "--video", "a.mp4"}, "h264 needs an even width and height"},
      {{"--msaa", "6", "--video", "a.mp4"}, "--msaa takes 0, 2, 4 or 8: 6"},
      {{"--video", "a.avi"}, "the video must be a .mp4 or .mkv file: a.avi"},
      {{"--video", "a.mp4", "--codec", "ffv1"}, "the ffv1 codec needs a .mkv file"},
      {{"--video", "a.mkv", "--codec", "vp9"}, "--codec takes h264 or ffv1: vp9"},
      {{"--still", "shot.png"}, "--still takes TIME:FILE.png: shot.png"},
      {{"--still", "2:"}, "--still takes TIME:FILE.png: 2:"},
      {{"--still", "2:shot.jpg"}, "a still must be a .png file: shot.jpg"},
      {{"--contact-sheet", "s.jpg"}, "the contact sheet must be a .png file: s.jpg"},
      {{"--pattern", "19", "--video", "a.mp4"}, "--pattern takes 0 to 18: 19"},
      {{"--pattern", "3", "--start", "2", "--video", "a.mp4"}, "--start and --pattern cannot go together"},
      {{"--pattern", "3", "--still", "2:a.png"}, "--pattern needs --video"},
      {{"--video", "a.mp4", "--times", "1,2"}, "--times needs --contact-sheet"},
      {{"--contact-sheet", "s.png", "--times", "1,,2"},
       "--times takes demo times in seconds, separated by commas: 1,,2"},
      {{"--contact-sheet", "s.png", "--columns", "0"}, "--columns takes a whole number from 1 to 64: 0"},
  };
  for (const auto& [args, error] : cases) {
    std::string line;
    for (const std::string& a : args) line += a + " ";
    EXPECT_EQ(Parse(args).Error, error) << line;
  }
}

TEST(CaptureOptions, FrameOfATimeSurvivesDecimalRounding) {
  // 0.3 * 10 is 2.9999999999999996 in doubles.
  EXPECT_EQ(FrameAt(0.3, 10), 3);
  EXPECT_EQ(FirstFrameFrom(0.3, 10), 3);
  EXPECT_EQ(FrameAt(1.05, 10), 10) << "the frame shown at 1.05 s was drawn at 1.0 s";
  EXPECT_EQ(FirstFrameFrom(1.05, 10), 11);
  EXPECT_EQ(FrameAt(0, 60), 0);
}
