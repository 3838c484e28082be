// The demo clock on a counter the test drives.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "sync/QTimer.h"

TEST(Timer, ElapsedAndDeltaComeFromSeparateReadings) {
  TFakeCounter counter(1000);  // 1 ms per tick
  TQTimer timer;
  EXPECT_TRUE(timer.HighRes);
  EXPECT_FLOAT_EQ(timer.Period, 0.001f);
  TFakeCounter::Set(5000);
  timer.Start();
  EXPECT_FLOAT_EQ(timer.StartTime, 5.0f);
  EXPECT_FLOAT_EQ(timer.LastTime, 5.0f);

  TFakeCounter::Set(6000);
  TFakeCounter::SetStepPerRead(10);  // every reading moves 10 ms on
  const float elapsed = timer.Elapsed();
  EXPECT_FLOAT_EQ(elapsed, 1.0f);          // first reading: 6000
  EXPECT_FLOAT_EQ(timer.Delta, 1.01f);     // second reading: 6010
  EXPECT_FLOAT_EQ(timer.LastTime, 6.02f);  // third reading: 6020

  TFakeCounter::SetStepPerRead(0);
  TFakeCounter::Set(6520);
  EXPECT_FLOAT_EQ(timer.Elapsed(), 1.52f);
  EXPECT_FLOAT_EQ(timer.Delta, 0.5f);
}

TEST(Timer, KeepsFullResolutionWithACounterOriginDaysBack) {
  // 10 MHz counter, machine up for 40 days.
  TFakeCounter counter(10000000);
  TQTimer timer;
  const std::uint64_t days = 40ull * 86400ull * 10000000ull;
  TFakeCounter::Set(days);
  timer.Start();
  float last = 0;
  for (int frame = 1; frame <= 5; ++frame) {
    TFakeCounter::Advance(166667);  // one 60 Hz frame
    const float t = timer.Elapsed();
    EXPECT_NEAR(timer.Delta, 0.0166667f, 1e-6f);
    EXPECT_GT(t, last) << "every frame moves the clock on";
    last = t;
  }
  EXPECT_NEAR(last, 5 * 0.0166667f, 1e-5f);
  // Two readings 1 ms apart still differ.
  TFakeCounter::Advance(10000);
  timer.Elapsed();
  EXPECT_NEAR(timer.Delta, 0.001f, 1e-7f);
}

TEST(Timer, ElapsedBeforeStartIsAbsoluteAndTickFallbackCountsMilliseconds) {
  TFakeCounter counter(0, false);
  TQTimer timer;
  EXPECT_FALSE(timer.HighRes);
  EXPECT_FLOAT_EQ(timer.Period, 0.001f);
  TFakeCounter::Set(12345);
  EXPECT_FLOAT_EQ(timer.Elapsed(), 12.345f);
  timer.Start();
  TFakeCounter::Advance(7);
  EXPECT_FLOAT_EQ(timer.Elapsed(), 0.007f);
}
