// The clipping steps and the presentation clock that every back end shares.
#include <gtest/gtest.h>

#include <climits>

#include "app/clock.h"
#include "app/headless/headless_clock.h"
#include "gfx/clip.h"

namespace {
bool sameRect(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult clipsTo(const Rect& clip, int32_t x, int32_t y, const Rect& source,
                                   const Rect& wantSource, const Rect& wantDestination) {
  Rect r;
  Rect d;
  clipSpriteCopy(clip, x, y, source, &r, &d);
  if (sameRect(r, wantSource) && sameRect(d, wantDestination)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "source {" << r.left << "," << r.top << "," << r.right << ","
                                       << r.bottom << "} destination {" << d.left << "," << d.top << ","
                                       << d.right << "," << d.bottom << "}";
}

bool drawsNothing(int32_t x, int32_t y, const Rect& source) {
  Rect r;
  Rect d;
  clipSpriteCopy(kScreenRect, x, y, source, &r, &d);
  return !rectInsideSurface(d, kScreenWidth, kScreenHeight);
}

constexpr Rect kGlyph = {0, 0, 6, 6};
}  // namespace

TEST(ClipSprite, TrimsAGlyphAtTheLeftAndRightEdges) {
  EXPECT_TRUE(clipsTo(kScreenRect, -3, 10, kGlyph, {3, 0, 6, 6}, {0, 10, 3, 16}));
  EXPECT_TRUE(clipsTo(kScreenRect, 157, 10, kGlyph, {0, 0, 3, 6}, {157, 10, 160, 16}));
  EXPECT_TRUE(clipsTo(kScreenRect, 154, 10, kGlyph, kGlyph, {154, 10, 160, 16}));
  EXPECT_TRUE(clipsTo(kScreenRect, 0, 10, kGlyph, kGlyph, {0, 10, 6, 16}));
}

TEST(ClipSprite, TrimsAGlyphAtTheTopAndBottomEdges) {
  EXPECT_TRUE(clipsTo(kScreenRect, 20, -2, kGlyph, {0, 2, 6, 6}, {20, 0, 26, 4}));
  EXPECT_TRUE(clipsTo(kScreenRect, 20, 57, kGlyph, {0, 0, 6, 3}, {20, 57, 26, 60}));
  EXPECT_TRUE(clipsTo(kScreenRect, -5, 59, kGlyph, {5, 0, 6, 1}, {0, 59, 1, 60}));
}

TEST(ClipSprite, AGlyphJustOutsideDrawsNothing) {
  EXPECT_TRUE(drawsNothing(160, 10, kGlyph));
  EXPECT_TRUE(drawsNothing(-6, 10, kGlyph));
  EXPECT_TRUE(drawsNothing(20, 60, kGlyph));
  EXPECT_TRUE(drawsNothing(20, -6, kGlyph));
  EXPECT_TRUE(drawsNothing(-100, -100, kGlyph));
  EXPECT_TRUE(drawsNothing(500, 500, kGlyph));
}

TEST(ClipSprite, KeepsTheFrameOffsetOfASpriteSheet) {
  // The second 6 x 6 glyph of a sheet, one glyph down.
  EXPECT_TRUE(clipsTo(kScreenRect, -3, -1, {6, 6, 12, 12}, {9, 7, 12, 12}, {0, 0, 3, 5}));
  EXPECT_TRUE(clipsTo(kScreenRect, 157, 58, {6, 6, 12, 12}, {6, 6, 9, 8}, {157, 58, 160, 60}));
}

TEST(ClipSprite, TheScreenSizedBackgroundIsCopiedWhole) {
  EXPECT_TRUE(clipsTo(kScreenRect, 0, 0, kScreenRect, kScreenRect, kScreenRect));
}

TEST(ClipSprite, OverhangOnBothSidesTrimsTheRightFromTheUnclippedPosition) {
  // 200 wide at x = -20: 20 columns off the left, 20 off the right. Trimming
  // the right after moving x to 0 would wrongly drop 40.
  EXPECT_TRUE(clipsTo(kScreenRect, -20, 0, {0, 0, 200, 10}, {20, 0, 180, 10}, {0, 0, 160, 10}));
  EXPECT_TRUE(clipsTo(kScreenRect, 5, -10, {0, 0, 4, 80}, {0, 10, 4, 70}, {5, 0, 9, 60}));
}

TEST(ClipSprite, HonoursAClipOtherThanTheScreen) {
  const Rect clip = {10, 20, 30, 40};
  EXPECT_TRUE(clipsTo(clip, 8, 37, kGlyph, {2, 0, 6, 3}, {10, 37, 14, 40}));
  EXPECT_TRUE(clipsTo(clip, 27, 18, kGlyph, {0, 2, 3, 6}, {27, 20, 30, 24}));
}

TEST(ClipSprite, ExtremePositionsWrapInsteadOfOverflowing) {
  // Run under UBSan in the asan preset: no signed overflow may happen here.
  EXPECT_TRUE(drawsNothing(INT32_MAX, INT32_MAX, kGlyph));
  EXPECT_TRUE(drawsNothing(INT32_MIN, INT32_MIN, kGlyph));
  EXPECT_TRUE(drawsNothing(INT32_MAX - 2, 0, kGlyph));
  EXPECT_TRUE(drawsNothing(0, 0, {INT32_MIN, 0, INT32_MAX, 6}));
}

TEST(RectInsideSurface, NeedsANonEmptyRectWithinTheSurface) {
  EXPECT_TRUE(rectInsideSurface({0, 0, 160, 60}, 160, 60));
  EXPECT_TRUE(rectInsideSurface({159, 59, 160, 60}, 160, 60));
  EXPECT_FALSE(rectInsideSurface({0, 0, 161, 60}, 160, 60));
  EXPECT_FALSE(rectInsideSurface({0, 0, 160, 61}, 160, 60));
  EXPECT_FALSE(rectInsideSurface({-1, 0, 5, 5}, 160, 60));
  EXPECT_FALSE(rectInsideSurface({0, -1, 5, 5}, 160, 60));
  EXPECT_FALSE(rectInsideSurface({5, 5, 5, 9}, 160, 60));
  EXPECT_FALSE(rectInsideSurface({5, 5, 9, 5}, 160, 60));
  EXPECT_FALSE(rectInsideSurface({9, 5, 5, 9}, 160, 60));
}

TEST(PresentationClock, ComparesDifferencesAcrossTheWrap) {
  EXPECT_FALSE(presentationTickDue(0xFFFFFFF0u, 0xFFFFFFF0u));
  EXPECT_FALSE(presentationTickDue(0xFFFFFFF0u, 3));
  EXPECT_TRUE(presentationTickDue(0xFFFFFFF0u, 4));
  EXPECT_FALSE(presentationClockBehind(0xFFFFFFF0u, 84));
  EXPECT_TRUE(presentationClockBehind(0xFFFFFFF0u, 85));
}

TEST(PresentationClock, TheFirstCallResetsToNow) {
  setHeadlessTicks(123456);
  uint32_t clock = 0;
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 123456u);
  EXPECT_EQ(tickCount(), 123456u);  // no wait
}

TEST(PresentationClock, ALateCallAdvancesByExactlyOneTickWithoutWaiting) {
  uint32_t clock = 5000;
  setHeadlessTicks(5030);
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 5020u);
  EXPECT_EQ(tickCount(), 5030u);
  // The next tick stays on the grid: 20 after the late one, not after now.
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 5040u);
  EXPECT_EQ(tickCount(), 5040u);
}

TEST(PresentationClock, AnEarlyCallWaitsForTheTick) {
  uint32_t clock = 5000;
  setHeadlessTicks(5003);
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 5020u);
  EXPECT_EQ(tickCount(), 5020u);
}

TEST(PresentationClock, MoreThanTheCatchUpLimitBehindResetsToNow) {
  uint32_t clock = 5000;
  setHeadlessTicks(5100);  // exactly the limit: still caught up
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 5020u);
  setHeadlessTicks(5121);  // 101 behind the new tick
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 5121u);
  EXPECT_EQ(tickCount(), 5121u);
}

TEST(PresentationClock, NeitherHangsNorRushesAtTheWrap) {
  // The tick lands on the far side of the wrap.
  uint32_t clock = 0xFFFFFFF0u;
  setHeadlessTicks(0xFFFFFFF5u);
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 4u);
  EXPECT_EQ(tickCount(), 4u);
  // The counter wraps while the gate waits for a tick before the wrap.
  clock = 0xFFFFFFE8u;
  setHeadlessTicks(0xFFFFFFF0u);
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 0xFFFFFFFCu);
  EXPECT_EQ(tickCount(), 0xFFFFFFFCu);
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 16u);
  EXPECT_EQ(tickCount(), 16u);
  // A clock left ahead of the counter (the counter was set back) resets
  // instead of waiting for the counter to come round again.
  clock = 900;
  setHeadlessTicks(100);
  passPresentationGate(&clock);
  EXPECT_EQ(clock, 100u);
  EXPECT_EQ(tickCount(), 100u);
}
