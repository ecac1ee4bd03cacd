// The clipping steps that every back end shares.
#include <gtest/gtest.h>

#include <climits>

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
