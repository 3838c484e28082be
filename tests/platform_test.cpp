// Platform layer: file names, keyboard table, messages and music.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <SDL2/SDL_scancode.h>

#include <cmath>
#include <fstream>

#include "platform/Files.h"
#include "platform/Message.h"
#include "platform/QINKeyboard.h"
#include "platform/QuarnBASS.h"
#include "support/TestSupport.h"

TEST(FileNames, BackslashSeparatesAndLetterCaseIsForgiven) {
  TTempDir dir(true);
  WriteBytes(dir / "data/Diag/1.TGA", {1, 2, 3});
  EXPECT_EQ(ResolvePath("data\\diag\\1.tga"), "data/Diag/1.TGA");
  EXPECT_EQ(ResolvePath("DATA/DIAG/1.tga"), "data/Diag/1.TGA");
  EXPECT_EQ(ResolvePath("data\\diag\\2.tga"), "data/diag/2.tga") << "a missing file keeps its name";
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(ReadFileBytes("Data\\diag\\1.tga", bytes));
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_FALSE(ReadFileBytes("data", bytes)) << "a directory is no file";
  EXPECT_TRUE(ChangeDirectory("DATA"));
  EXPECT_TRUE(ReadFileBytes("diag\\1.tga", bytes));
}

TEST(Keyboard, TableIsIndexedByDirectInputCodes) {
  std::uint8_t sdl[SDL_NUM_SCANCODES] = {};
  sdl[SDL_SCANCODE_ESCAPE] = 1;
  sdl[SDL_SCANCODE_SPACE] = 1;
  sdl[SDL_SCANCODE_LEFT] = 1;
  std::uint8_t keys[256];
  TranslateKeyState(sdl, SDL_NUM_SCANCODES, keys);
  EXPECT_EQ(keys[0x01], 0x80);  // DIK_ESCAPE
  EXPECT_EQ(keys[0x39], 0x80);  // DIK_SPACE
  EXPECT_EQ(keys[0xCB], 0x80);  // DIK_LEFT
  int down = 0;
  for (std::uint8_t k : keys) down += k >= 0x80;
  EXPECT_EQ(down, 3);
}

TEST(Keyboard, NothingIsDownBeforeTheFirstReadAndAfterFree) {
  TestWindow();
  CreateKeyboard(TestWindow(), false);
  ASSERT_NE(KeyboardDevice(), nullptr);
  EXPECT_EQ(KeyboardDevice()->LastResult, 0);
  EXPECT_FALSE(KeyDown(DIK_ESCAPE));
  EXPECT_EQ(UpdateKeyboard(), 0);
  EXPECT_FALSE(KeyDown(DIK_ESCAPE)) << "no key is held on the offscreen display";
  FreeKeyboard();
  EXPECT_EQ(KeyboardDevice(), nullptr);
  EXPECT_FALSE(KeyDown(DIK_ESCAPE));
}

TEST(Keyboard, ATapBetweenTwoReadsIsSeenByTheNextOnly) {
  TestWindow();
  CreateKeyboard(TestWindow(), false);
  // Escape pressed and let go within one slow frame: the state shows it up.
  for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    SDL_PushEvent(&e);
  }
  EXPECT_EQ(UpdateKeyboard(), 0);
  EXPECT_TRUE(KeyDown(DIK_ESCAPE)) << "the tap is seen";
  EXPECT_EQ(UpdateKeyboard(), 0);
  EXPECT_FALSE(KeyDown(DIK_ESCAPE)) << "once";
  FreeKeyboard();
}

TEST(Keyboard, ErrorTextsForQuotedCodesAndUnknownCode) {
  EXPECT_EQ(DirectInputErrorText(0), "The operation completed successfully.");
  EXPECT_EQ(DirectInputErrorText(static_cast<std::int32_t>(0x8007047E)),
            "The application requires a newer version of DirectInput.");
  EXPECT_EQ(DirectInputErrorText(static_cast<std::int32_t>(0x800405CC)),
            "No more memory for effects of this kind (not documented)");
  EXPECT_EQ(DirectInputErrorText(12), "Equal to DI_EFFECTRESTARTED | DI_TRUNCATED.");
  EXPECT_EQ(DirectInputErrorText(5), "");
  EXPECT_EQ(DirectInputErrorText(static_cast<std::int32_t>(0x80040200)), "");
  // Codes that stand for several results quote each, joined by " or ".
  for (std::uint32_t shared : {0x00000001u, 0x80070005u}) {
    const std::string text = DirectInputErrorText(static_cast<std::int32_t>(shared));
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.front(), '"');
    EXPECT_EQ(text.back(), '"');
    EXPECT_NE(text.find("\" or \""), std::string::npos);
  }
  // Every code of the table has a text; the table holds 40.
  const std::uint32_t codes[] = {0, 1, 2, 3, 4, 8, 11, 12, 0x80004001, 0x80004002, 0x80004003, 0x80004005,
                                 0x80040110, 0x80040154, 0x80040201, 0x80040202, 0x80040203, 0x80040204,
                                 0x80040205, 0x80040206, 0x80040207, 0x80040208, 0x80040209, 0x8004020A,
                                 0x8004020B, 0x800405CC, 0x80070002, 0x80070005, 0x80070006, 0x80070007,
                                 0x8007000C, 0x8007000E, 0x80070015, 0x8007001E, 0x80070057, 0x80070077,
                                 0x800700AA, 0x8007047E, 0x80070481, 0x800704DF};
  static_assert(std::size(codes) == 40);
  for (std::uint32_t c : codes) EXPECT_FALSE(DirectInputErrorText(static_cast<std::int32_t>(c)).empty()) << c;
}

TEST(Messages, HookCapturesCaptionAndText) {
  TMessageCapture capture;
  ShowMessage("Error", "Unable to create window!");
  ASSERT_EQ(capture.Messages().size(), 1u);
  EXPECT_EQ(capture.Messages()[0].first, "Error");
  EXPECT_EQ(capture.Messages()[0].second, "Unable to create window!");
}


TEST(Music, IndexesStartAtZeroAndFailedLoadsUseNone) {
  TTempDir dir(true);
  WriteWav("a.wav", 0.5);
  WriteBytes("broken.mp3", {'n', 'o', 't', ' ', 'm', 'u', 's', 'i', 'c'});
  ASSERT_TRUE(InitAudio(nullptr));
  EXPECT_EQ(LoadSample("a.wav"), 0);
  EXPECT_EQ(LoadSample("missing.mp3"), -1);
  EXPECT_EQ(LoadSample("broken.mp3"), -1);
  EXPECT_EQ(LoadSample("A.WAV"), 1) << "the failed loads did not use up index 1";
  EXPECT_EQ(SampleCount(), 2);
  EXPECT_EQ(PlaySample(-1, 100, 0), 0) << "a failed load's index plays nothing";
  EXPECT_EQ(PlaySample(2, 100, 0), 0);
  ShutdownAudio();
}

TEST(Music, ThreePlaybacksPerSampleAndTheFourthTakesOverTheOldest) {
  TTempDir dir(true);
  WriteWav("long.wav", 5.0);
  ASSERT_TRUE(InitAudio(nullptr));
  ASSERT_EQ(LoadSample("long.wav"), 0);
  ASSERT_EQ(LoadSample("long.wav"), 1);
  const std::int32_t a = PlaySample(0, 100, 0), b = PlaySample(0, 50, -100), c = PlaySample(0, 100, 100);
  EXPECT_NE(a, 0);
  EXPECT_NE(b, 0);
  EXPECT_NE(c, 0);
  EXPECT_TRUE(a != b && b != c && a != c);
  EXPECT_EQ(PlaySample(0, 100, 0), a) << "the oldest playback is taken over";
  EXPECT_EQ(PlaySample(0, 100, 0), b);
  const std::int32_t other = PlaySample(1, 100, 0);
  EXPECT_NE(other, 0);
  EXPECT_TRUE(other != a && other != b && other != c) << "another sample never takes these";
  ShutdownAudio();
}

TEST(Music, NoAudioDeviceMeansNoSamplesAndNoCrash) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  TTempDir dir(true);
  WriteWav("a.wav", 0.1);
  EXPECT_FALSE(InitAudio(nullptr));
  EXPECT_EQ(LoadSample("a.wav"), -1);
  EXPECT_EQ(PlaySample(0, 100, 0), 0);
  ShutdownAudio();
}
