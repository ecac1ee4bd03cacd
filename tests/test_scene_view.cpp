#include <gtest/gtest.h>

#include <vector>

#include "board_text.h"
#include "game/board.h"
#include "gfx/gfx_soft.h"
#include "host/input.h"
#include "host/input_testing.h"
#include "scenes/board_view.h"
#include "scenes/driver.h"
#include "scenes/face.h"
#include "scenes/face_testing.h"
#include "scenes/match.h"
#include "scenes/match_testing.h"
#include "scenes/picture_slots.h"
#include "scenes/screen_effects.h"

namespace {

// The game's own pictures, loaded once for the whole program.
class SceneViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 1);
    loadGameAssets();
  }
  static void TearDownTestSuite() { shutdownGraphics(); }
  void SetUp() override {
    resetInputState();
    resetMatchModule();
  }

  // Whether the 6 x 6 back-buffer square at (x, y) shows exactly the glyph
  // {gx, gy} of the stone sheet.
  static bool showsGlyph(int x, int y, int gx, int gy) {
    int32_t bw = 0, bh = 0, sw = 0, sh = 0;
    const uint32_t* back = backBufferPixels(&bw, &bh);
    const uint32_t* sheet = surfacePixels(kSlotStones, &sw, &sh);
    for (int dy = 0; dy < 6; ++dy)
      for (int dx = 0; dx < 6; ++dx) {
        uint32_t want = sheet[(gy + dy) * sw + gx + dx];
        if (want != 0 && back[(y + dy) * bw + x + dx] != want) return false;
      }
    return true;
  }
  static void drawBoard() {
    drawBackground();
    drawBoardSquares();
    drawStonesAndTurn();
  }
};

TEST_F(SceneViewTest, HoverMarkFollowsTheMouseOnlyWhenAHumanMayMove) {
  resetMatch(kWhite);
  struct Probe {
    int x, y;
    int column, row;  // -1: no mark anywhere
  } probes[] = {{56, 6, 0, 0}, {103, 53, 7, 7}, {55, 30, -1, -1}, {104, 30, -1, -1},
                {80, 5, -1, -1}, {80, 54, -1, -1}, {80, 30, 4, 4}};
  for (const Probe& p : probes) {
    inputState.mouseX = p.x;
    inputState.mouseY = p.y;
    drawBackground();
    drawBoardSquares();
    int marks = 0;
    for (int r = 0; r < 8; ++r)
      for (int c = 0; c < 8; ++c)
        if (showsGlyph(56 + 6 * c, 6 + 6 * r, 0, 6)) {
          ++marks;
          EXPECT_EQ(c, p.column);
          EXPECT_EQ(r, p.row);
        }
    EXPECT_EQ(marks, p.column < 0 ? 0 : 1) << p.x << "," << p.y;
  }
  // Not while the computer is to move, nor while stones turn; always with
  // two humans.
  inputState.mouseX = 60;
  inputState.mouseY = 10;
  sideToMove = kBlack;
  drawBoardSquares();
  EXPECT_FALSE(showsGlyph(56, 6, 0, 6));
  humanColor = 0;
  drawBoardSquares();
  EXPECT_TRUE(showsGlyph(56, 6, 0, 6));
  matchState = kStonesTurning;
  drawBoardSquares();
  EXPECT_FALSE(showsGlyph(56, 6, 0, 6));
}

TEST_F(SceneViewTest, StonesAndTurnPictureFollowTheBoard) {
  resetMatch(kWhite);
  drawBoard();
  EXPECT_TRUE(showsGlyph(56 + 18, 6 + 18, 6, 0)) << "white at (3, 3)";
  EXPECT_TRUE(showsGlyph(56 + 24, 6 + 24, 6, 0)) << "white at (4, 4)";
  EXPECT_TRUE(showsGlyph(56 + 18, 6 + 24, 12, 0)) << "red at (3, 4)";
  EXPECT_TRUE(showsGlyph(56 + 24, 6 + 18, 12, 0)) << "red at (4, 3)";
  EXPECT_TRUE(showsGlyph(56, 6, 0, 0)) << "an empty square";

  int32_t bw = 0, bh = 0, cw = 0, ch = 0;
  for (int side = 0; side <= 2; ++side) {
    sideToMove = side;
    drawBoard();
    const uint32_t* back = backBufferPixels(&bw, &bh);
    const int slots[3] = {kSlotEndCard, kSlotWhiteCard, kSlotRedCard};
    const uint32_t* card = surfacePixels(slots[side], &cw, &ch);
    EXPECT_EQ(back[(6 + 20) * bw + 6 + 16], card[20 * cw + 16]) << "turn picture for side " << side;
  }
}

TEST_F(SceneViewTest, FaceFlipsOnTheRunningCounter) {
  resetMatch(kWhite);
  resetFace();
  setFaceFrameCounter(0);
  for (uint32_t n = 1; n <= 120; ++n) {
    updateFace();
    bool frameA = faceForTest().src.left == 0 && faceForTest().src.top == 0;
    EXPECT_EQ(frameA, n < 50 || n >= 100) << "counter " << n;
  }
  // Mood 1 (the human's stones turning) reads the same counter.
  matchState = kStonesTurning;
  setFaceFrameCounter(119);
  updateFace();
  EXPECT_EQ(faceForTest().src.left, 48) << "counter 120: frame A";
  setFaceFrameCounter(129);
  updateFace();
  EXPECT_EQ(faceForTest().src.left, 72) << "counter 130: frame B";
  EXPECT_EQ((faceForTest().x - faceForTest().anchorX) / 512, 128);
  EXPECT_EQ((faceForTest().y - faceForTest().anchorY) / 512, 8);
}

TEST_F(SceneViewTest, WipeSlidesForTwelveFramesAndRestarts) {
  clearWipe();
  startWipe();
  std::vector<int> xs;
  while (wipeForTest().inUse) {
    updateWipe();
    if (wipeForTest().inUse) xs.push_back(wipeForTest().x / 512);
  }
  EXPECT_EQ(xs, (std::vector<int>{2, 6, 12, 20, 30, 42, 56, 72, 90, 110, 132, 156}));
  startWipe();
  updateWipe();
  updateWipe();
  startWipe();
  EXPECT_EQ(wipeForTest().x, 0);
  EXPECT_EQ(wipeForTest().vx, 0);
  updateWipe();
  EXPECT_EQ(wipeForTest().x / 512, 2);
}

// What the back buffer holds at (x, y) after the effects are drawn over black.
uint32_t effectPixel(int32_t x, int32_t y) {
  int32_t w = 0, h = 0;
  fillRect(kScreenRect, 0);
  drawScreenEffects();
  return backBufferPixels(&w, &h)[y * w + x];
}

TEST_F(SceneViewTest, ScreenEffectsBlinkCountDownAndFlashACross) {
  constexpr uint32_t kRed = 0x00FF0000;
  startBlink(kRed, 4);  // shows on the frames with 3 and 1 left
  std::vector<uint32_t> blinks;
  for (int frame = 0; frame < 5; ++frame) {
    updateScreenEffects();
    blinks.push_back(effectPixel(80, 30));
  }
  EXPECT_EQ(blinks, (std::vector<uint32_t>{kRed, 0, kRed, 0, 0}));
  startBlink(kRed, 3);
  clearBlink();
  EXPECT_EQ(effectPixel(80, 30), 0u);

  startCountdown(2);
  updateScreenEffects();
  EXPECT_EQ(countdownFrames(), 1);
  updateScreenEffects();
  updateScreenEffects();
  EXPECT_EQ(countdownFrames(), 0);

  // Through (20, 10): after two frames both bands are 32 pixels wide.
  startCrossFlash(20, 10);
  updateScreenEffects();
  updateScreenEffects();
  EXPECT_EQ(crossFlashHalfWidth(), 32);
  EXPECT_EQ(effectPixel(51, 59), 0x00FFFFFFu) << "vertical band";
  EXPECT_EQ(effectPixel(52, 59), 0u);
  EXPECT_EQ(effectPixel(159, 41), 0x00FFFFFFu) << "horizontal band";
  EXPECT_EQ(effectPixel(159, 42), 0u);
  // Past 1500 the vertical band goes and the horizontal one narrows by sixths.
  int frames = 2;
  while (crossFlashHalfWidth() <= 1500) {
    updateScreenEffects();
    ++frames;
  }
  EXPECT_EQ(frames, 94);
  updateScreenEffects();
  EXPECT_EQ(crossFlashHalfWidth(), 1504 * 5 / 6);
  EXPECT_EQ(effectPixel(20, 59), 0x00FFFFFFu) << "the horizontal band still covers everything";
  fillRect(kScreenRect, 0);
  while (crossFlashHalfWidth() > 0) updateScreenEffects();
  EXPECT_EQ(effectPixel(20, 10), 0u);
}

}  // namespace
