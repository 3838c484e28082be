// The demo's options: what each sets, and what is refused with which line.
#include <gtest/gtest.h>

#include <vector>

#include "driver/CommandLine.h"

namespace {
struct TParse {
  bool Ok;
  TDemoOptions Options;
  std::string Error;
};

TParse Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "demo");
  TParse p;
  p.Ok = ParseDemoOptions(static_cast<int>(args.size()), args.data(), p.Options, p.Error);
  return p;
}
}  // namespace

TEST(CommandLine, NoOptionsIsTheDemoAsItAlwaysWas) {
  const TParse p = Parse({});
  ASSERT_TRUE(p.Ok);
  EXPECT_TRUE(p.Options.Fullscreen);
  EXPECT_TRUE(p.Options.Paced);
  EXPECT_FALSE(p.Options.Mute);
  EXPECT_FALSE(p.Options.Help);
  EXPECT_TRUE(p.Options.DataDir.empty());
}

TEST(CommandLine, EachOptionSetsItsPart) {
  TParse p = Parse({"--size", "1024x700", "--no-vsync", "--mute", "--data", "/tmp/x"});
  ASSERT_TRUE(p.Ok) << p.Error;
  EXPECT_FALSE(p.Options.Fullscreen) << "--size plays in a window";
  EXPECT_EQ(p.Options.WindowWidth, 1024);
  EXPECT_EQ(p.Options.WindowHeight, 700);
  EXPECT_FALSE(p.Options.Paced);
  EXPECT_TRUE(p.Options.Mute);
  EXPECT_EQ(p.Options.DataDir, "/tmp/x");
  p = Parse({"--window"});
  ASSERT_TRUE(p.Ok);
  EXPECT_FALSE(p.Options.Fullscreen);
  EXPECT_EQ(p.Options.WindowWidth, 800);
  EXPECT_TRUE(Parse({"--help", "--mute"}).Options.Help);
  p = Parse({"--loop", "--start", "61.5"});
  ASSERT_TRUE(p.Ok) << p.Error;
  EXPECT_TRUE(p.Options.Loop);
  EXPECT_EQ(p.Options.StartSeconds, 61.5);
  EXPECT_EQ(Parse({"--pattern", "12"}).Options.StartPattern, 12);
  EXPECT_FALSE(Parse({"--window"}).Options.Dev);
  EXPECT_TRUE(Parse({"--dev", "--window"}).Options.Dev);
}

TEST(CommandLine, ScaleAndSamplesAreTheRenderersChoiceUnlessGiven) {
  TParse p = Parse({});
  EXPECT_EQ(p.Options.Scale, TScaleChoice::Auto);
  EXPECT_EQ(p.Options.Msaa, -1);
  p = Parse({"--scale", "native", "--msaa", "8"});
  ASSERT_TRUE(p.Ok) << p.Error;
  EXPECT_EQ(p.Options.Scale, TScaleChoice::Native);
  EXPECT_EQ(p.Options.Msaa, 8);
  EXPECT_EQ(Parse({"--msaa", "0"}).Options.Msaa, 0) << "off, even on a GPU";
  // A window of the frame's size holds its pixels; a window of a size
  // given keeps it, and the frame is scaled into it.
  p = Parse({"--window", "--scale", "1.5"});
  ASSERT_TRUE(p.Ok) << p.Error;
  EXPECT_EQ(p.Options.ScaleValue, 1.5);
  EXPECT_EQ(p.Options.WindowWidth, 1200);
  EXPECT_EQ(p.Options.WindowHeight, 900);
  p = Parse({"--scale", "2", "--size", "1024x768"});
  EXPECT_EQ(p.Options.WindowWidth, 1024);
  EXPECT_EQ(p.Options.WindowHeight, 768);
}

TEST(CommandLine, BadWordsAreRefusedWithTheirName) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"--size"}, "--size needs a value"},
      {{"--size", "800"}, "not 800"},
      {{"--size", "800x"}, "not 800x"},
      {{"--size", "8x600"}, "not 8x600"},
      {{"--size", "800x600x2"}, "not 800x600x2"},
      {{"--size", "99999x600"}, "not 99999x600"},
      {{"--size", "-800x600"}, "not -800x600"},
      {{"--data"}, "--data needs a value"},
      {{"--data", ""}, "--data needs a directory"},
      {{"--window", "--fullscreen"}, "--fullscreen cannot go with --window or --size"},
      {{"window"}, "unknown option window"},
      {{"--start", "-1"}, "not -1"},
      {{"--start", "1e9"}, "not 1e9"},
      {{"--start", "nan"}, "not nan"},
      {{"--pattern", "19"}, "not 19"},
      {{"--pattern", "2.5"}, "not 2.5"},
      {{"--start", "30", "--pattern", "3"}, "--start and --pattern cannot go together"},
      {{"--scale", "0.1"}, "--scale takes native or a number from 0.25 to 8: not 0.1"},
      {{"--scale", "2x"}, "not 2x"},
      {{"--scale", "nan"}, "not nan"},
      {{"--msaa", "3"}, "--msaa takes 0, 2, 4 or 8: not 3"},
      {{"--msaa", "16"}, "not 16"},
  };
  for (const auto& [args, text] : cases) {
    const TParse p = Parse(args);
    EXPECT_FALSE(p.Ok) << args[0];
    EXPECT_NE(p.Error.find(text), std::string::npos) << p.Error;
    EXPECT_EQ(p.Error.find('\n'), std::string::npos) << "one line";
  }
}

TEST(CommandLine, UsageNamesEveryOption) {
  const std::string usage = DemoUsage("demo");
  for (const char* option : {"--help", "--fullscreen", "--window", "--size", "--no-vsync", "--mute", "--loop", "--start", "--pattern", "--dev", "--data"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
}
