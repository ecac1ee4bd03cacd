#include <gtest/gtest.h>

#include "host/input.h"
#include "host/input_testing.h"
#include "scenes/buttons.h"

namespace {

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { resetInputState(); }
  void TearDown() override { resetInputState(); }

  // A left press edge at (x, y), as the frame's input sampling makes it.
  static void pressAt(int x, int y) {
    inputState.mouseX = x;
    inputState.mouseY = y;
    inputState.mouseHeld |= kMouseLeft;
    updateInputEdges();
  }
  static void releaseAndSettle() {
    inputState.mouseHeld &= ~kMouseLeft;
    updateInputEdges();
  }
};

TEST_F(ButtonTest, EdgesCountOnlyOnTheRightAndBottom) {
  layoutMatchButtons();  // Pass at (128, 42), 24 x 12
  struct Probe {
    int x, y;
    int expected;
  } probes[] = {
      {128, 47, -1},  // left column
      {140, 42, -1},  // top row
      {151, 47, 0},   // right column (x + width - 1)
      {140, 53, 0},   // bottom row (y + height - 1)
      {152, 47, -1},  // just outside on the right
      {129, 43, 0},   // first pixel that counts
  };
  for (const Probe& p : probes) {
    pressAt(p.x, p.y);
    EXPECT_EQ(clickedButton(), p.expected) << p.x << "," << p.y;
    releaseAndSettle();
  }
}

TEST_F(ButtonTest, OnlyThePressEdgeClicks) {
  layoutTitleButtons();
  pressAt(40, 30);
  EXPECT_EQ(clickedButton(), kButtonPlayWhite);
  updateInputEdges();  // still held, next frame
  EXPECT_EQ(clickedButton(), -1);
  releaseAndSettle();
  inputState.mouseX = 120;
  inputState.mouseHeld = kMouseRight;
  updateInputEdges();
  EXPECT_EQ(clickedButton(), -1) << "the right button never clicks";
}

TEST_F(ButtonTest, DisabledButtonsGreyOutAndIgnoreClicks) {
  layoutMatchButtons();
  setButtonState(kButtonPass, kButtonDisabled);
  EXPECT_EQ(buttonTable[kButtonPass].look, kLookNormal) << "looks change only at the next update";
  inputState.mouseX = 140;
  inputState.mouseY = 48;
  updateButtonLooks();
  EXPECT_EQ(buttonTable[kButtonPass].look, kLookDisabled);
  pressAt(140, 48);
  EXPECT_EQ(clickedButton(), -1);
  releaseAndSettle();
  setButtonState(kButtonPass, kButtonEnabled);
  updateButtonLooks();
  EXPECT_EQ(buttonTable[kButtonPass].look, kLookHover);
  inputState.mouseX = 0;
  updateButtonLooks();
  EXPECT_EQ(buttonTable[kButtonPass].look, kLookNormal);
}

TEST_F(ButtonTest, HiddenButtonsStillAnswerAndTheLowerIndexWins) {
  layoutTitleButtons();
  // Move the black card over the white one.
  buttonTable[kButtonPlayBlack].x = buttonTable[kButtonPlayWhite].x;
  pressAt(40, 30);
  EXPECT_EQ(clickedButton(), kButtonPlayWhite);
  releaseAndSettle();
  setButtonState(kButtonPlayWhite, kButtonDisabled);
  pressAt(40, 30);
  EXPECT_EQ(clickedButton(), kButtonPlayBlack);
  releaseAndSettle();
  setButtonState(kButtonPlayBlack, kButtonHidden);
  pressAt(40, 30);
  EXPECT_EQ(clickedButton(), kButtonPlayBlack);
  releaseAndSettle();
}

TEST_F(ButtonTest, LayoutsClearEveryRecordAndOutOfRangeStatesAreIgnored) {
  layoutMatchButtons();
  for (int i = 2; i < kButtonCount; ++i) buttonTable[i].inUse = 1;
  layoutTitleButtons();
  for (int i = 2; i < kButtonCount; ++i) EXPECT_EQ(buttonTable[i].inUse, 0);
  EXPECT_EQ(buttonTable[kButtonPlayBlack].x, 104);
  EXPECT_EQ(buttonTable[kButtonPlayBlack].slot, 9);
  setButtonState(-1, kButtonDisabled);
  setButtonState(kButtonCount, kButtonDisabled);
  EXPECT_EQ(buttonTable[0].state, kButtonEnabled);
}

}  // namespace

#include "gfx/gfx_soft.h"
#include "scenes/picture_slots.h"

namespace {

uint32_t pixelAt(int x, int y) {
  int32_t w = 0, h = 0;
  const uint32_t* pixels = backBufferPixels(&w, &h);
  return pixels[y * w + x];
}

TEST(ButtonDrawing, LooksComeFromTheirOwnRectsAndEmptyLooksDrawNothing) {
  resetInputState();
  ASSERT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 1);
  const uint32_t normal = toNativeColor(0x000000FF), hover = toNativeColor(0x0000FF00),
                 grey = toNativeColor(0x00808080), card = toNativeColor(0x00FFFFFF);
  // Pictures made on the back buffer and snapshotted into the slots.
  fillRect({0, 0, 24, 12}, normal);
  fillRect({24, 0, 48, 12}, hover);
  fillRect({48, 0, 72, 12}, grey);
  ASSERT_EQ(createBlankSurface(72, 12, kSlotPass), 1);
  grabBackBuffer(kSlotPass, {0, 0, 72, 12});
  fillRect(kScreenRect, card);
  ASSERT_EQ(createBlankSurface(64, 48, kSlotEndCard), 1);
  grabBackBuffer(kSlotEndCard, {0, 0, 64, 48});

  layoutMatchButtons();
  setButtonState(kButtonEndCard, kButtonDisabled);
  auto drawFrame = [] {
    fillRect(kScreenRect, 0);
    updateButtonLooks();
    drawButtons();
  };
  inputState.mouseX = 140;
  inputState.mouseY = 48;
  drawFrame();
  EXPECT_EQ(pixelAt(130, 44), hover);
  EXPECT_EQ(pixelAt(10, 10), 0u) << "a disabled card is invisible";
  setButtonState(kButtonPass, kButtonDisabled);
  setButtonState(kButtonEndCard, kButtonEnabled);
  drawFrame();
  EXPECT_EQ(pixelAt(130, 44), grey);
  EXPECT_EQ(pixelAt(10, 10), card);
  setButtonState(kButtonPass, kButtonHidden);
  inputState.mouseX = 0;
  drawFrame();
  EXPECT_EQ(pixelAt(130, 44), 0u);
  setButtonState(kButtonPass, kButtonEnabled);
  drawFrame();
  EXPECT_EQ(pixelAt(130, 44), normal);
  shutdownGraphics();
}

}  // namespace
