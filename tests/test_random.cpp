#include <gtest/gtest.h>

#include "app/headless/clock_headless.h"
#include "game/random.h"
#include "game/random_testing.h"

namespace {

TEST(Generator, FollowsTheLinearCongruentialSequence) {
  seedRandom(0);
  // state 2531011 -> 38; then the classic sequence from seed 0.
  EXPECT_EQ(drawRandom(), 38);
  EXPECT_EQ(drawRandom(), 7719);
  EXPECT_EQ(drawRandom(), 21238);
  seedRandom(12345);
  uint32_t expected = 12345u * 214013u + 2531011u;
  EXPECT_EQ(drawRandom(), static_cast<int>((expected >> 16) & 0x7FFF));
  EXPECT_EQ(randomState(), expected);
}

TEST(RandomInRange, DiscardsSecondsModTenDrawsBeforeTheOneItUses) {
  for (int seconds : {0, 3, 9, 10, 17, 59}) {
    setHeadlessSeconds(seconds);
    seedRandom(777);
    for (int i = 0; i < seconds % 10; ++i) drawRandom();
    int v = drawRandom();
    uint32_t after = randomState();
    seedRandom(777);
    EXPECT_EQ(randomInRange(0, 999), v % 1000) << "seconds " << seconds;
    EXPECT_EQ(randomState(), after) << "seconds " << seconds;
  }
  setHeadlessSeconds(-1);
}

TEST(RandomInRange, StaysWithinItsBounds) {
  setHeadlessSeconds(4);
  seedRandom(1);
  bool sawLow = false, sawHigh = false;
  for (int i = 0; i < 20000; ++i) {
    int v = randomInRange(-200, 0);
    ASSERT_GE(v, -200);
    ASSERT_LE(v, 0);
    sawLow |= v == -200;
    sawHigh |= v == 0;
    ASSERT_EQ(randomInRange(0, 0), 0);
  }
  EXPECT_TRUE(sawLow);
  EXPECT_TRUE(sawHigh);
  // An empty range cannot divide by zero; it gives its low end.
  EXPECT_EQ(randomInRange(5, 4), 5);
  setHeadlessSeconds(-1);
}

}  // namespace
