// The backend-neutral parts of platform/ that the desktop and the browser
// share: the sample table's rules, the letterbox, the key names, the
// software renderers.
#include <gtest/gtest.h>

#include <SDL2/SDL_scancode.h>

#include "platform/DirectInputCodes.h"
#include "platform/Letterbox.h"
#include "platform/SampleTable.h"
#include "platform/SoftwareRenderer.h"

namespace {
bool PlayingChannels[PlaybackChannels] = {};
bool Playing(int channel) { return PlayingChannels[channel]; }
}  // namespace

TEST(SampleTable, IdleChannelsFirstThenTheOldestPlaybackIsTakenOver) {
  TSampleTable table;
  ASSERT_EQ(NextSampleIndex(table), 0);
  SampleLoaded(table);
  SampleLoaded(table);
  EXPECT_TRUE(SampleLoadedAt(table, 1));
  EXPECT_FALSE(SampleLoadedAt(table, 2));
  EXPECT_FALSE(SampleLoadedAt(table, -1));
  // Sample 1 owns channels 3 to 5.
  int handles[3];
  for (int& h : handles) {
    const int channel = ChooseChannel(table, 1, Playing);
    PlayingChannels[channel] = true;
    h = PlaybackStarted(table, channel);
  }
  EXPECT_EQ(handles[0], 4);
  EXPECT_EQ(handles[1], 5);
  EXPECT_EQ(handles[2], 6);
  EXPECT_EQ(ChooseChannel(table, 1, Playing), 3) << "all three play: the one started first";
  PlaybackStarted(table, 3);
  EXPECT_EQ(ChooseChannel(table, 1, Playing), 4) << "now the second is the oldest";
  PlayingChannels[5] = false;
  EXPECT_EQ(ChooseChannel(table, 1, Playing), 5) << "an idle channel before any takeover";
  EXPECT_EQ(ChooseChannel(table, 0, Playing), 0) << "another sample's channels are its own";
}

TEST(SampleTable, FullTableHasNoNextIndex) {
  TSampleTable table;
  for (int i = 0; i < MaxSamples; ++i) SampleLoaded(table);
  EXPECT_EQ(NextSampleIndex(table), -1);
  SampleLoaded(table);
  EXPECT_EQ(table.Count, MaxSamples);
}

TEST(SampleTable, MixerSums) {
  EXPECT_EQ(VolumePercent(150), 100);
  EXPECT_EQ(VolumePercent(-5), 0);
  EXPECT_EQ(PanLevels(0).Left, 255);
  EXPECT_EQ(PanLevels(0).Right, 255);
  EXPECT_EQ(PanLevels(50).Left, 128) << "the far side fades";
  EXPECT_EQ(PanLevels(50).Right, 255) << "the near side stays whole";
  EXPECT_EQ(PanLevels(-300).Right, 0);
  EXPECT_EQ(OffsetFrames(1.5, 44100), 66150u);
  EXPECT_EQ(OffsetFrames(1.0 / 44100 * 0.99, 44100), 0u) << "whole frames only";
  EXPECT_EQ(OffsetFrames(-1, 44100), 0u);
}

TEST(Letterbox, WiderAndTallerDrawablesGetBarsOfHalfTheRest) {
  const TLetterbox wide = Letterbox(800, 600, 1000, 600);
  EXPECT_EQ(wide.X, 100);
  EXPECT_EQ(wide.Y, 0);
  EXPECT_EQ(wide.Width, 800);
  EXPECT_EQ(wide.Height, 600);
  const auto bars = LetterboxBars(wide, 1000, 600);
  EXPECT_EQ(bars[0].Width, 100);
  EXPECT_EQ(bars[1].X, 900);
  EXPECT_EQ(bars[1].Width, 100);
  EXPECT_EQ(bars[2].Height, 0);
  const TLetterbox tall = Letterbox(1440, 1080, 1080, 1920);
  EXPECT_EQ(tall.Width, 1080);
  EXPECT_EQ(tall.Height, 810);
  EXPECT_EQ(tall.Y, 555);
}

TEST(KeyCodes, BrowserKeyNamesAreTheUsagesSdlNumbers) {
  EXPECT_EQ(KeyUsageNamed("Escape"), SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(KeyUsageNamed("KeyF"), SDL_SCANCODE_F);
  EXPECT_EQ(KeyUsageNamed("Digit0"), SDL_SCANCODE_0);
  EXPECT_EQ(KeyUsageNamed("ArrowLeft"), SDL_SCANCODE_LEFT);
  EXPECT_EQ(KeyUsageNamed("NumpadEnter"), SDL_SCANCODE_KP_ENTER);
  EXPECT_EQ(KeyUsageNamed("MetaRight"), SDL_SCANCODE_RGUI);
  EXPECT_EQ(KeyUsageNamed("IntlBackslash"), SDL_SCANCODE_NONUSBACKSLASH);
  EXPECT_EQ(KeyUsageNamed("NoSuchKey"), -1);
  std::uint8_t state[256] = {}, keys[256];
  state[KeyUsageNamed("Escape")] = 1;
  TranslateKeyState(state, 256, keys);
  EXPECT_EQ(keys[DIK_ESCAPE], 0x80);
}

TEST(SoftwareRenderer, MesaAndSwiftShaderButNotAGpu) {
  EXPECT_TRUE(IsSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsSoftwareRenderer("ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero)), SwiftShader driver)"));
  EXPECT_FALSE(IsSoftwareRenderer("ANGLE (NVIDIA, NVIDIA GeForce RTX 3060 Direct3D11 vs_5_0 ps_5_0)"));
  EXPECT_FALSE(IsSoftwareRenderer(nullptr));
}
