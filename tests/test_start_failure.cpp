// Start-up when the graphics device cannot be brought up: the player is told
// why and the program ends cleanly instead of running on with nothing to draw.
#include <gtest/gtest.h>

#include <string>

#include "app/headless/shell_headless.h"
#include "gfx/gfx.h"
#include "host/texts.h"

TEST(StartFailure, WithoutGraphicsTheGameSaysSoAndEndsWithZero) {
  // The device is already taken, so the game's own initGraphics fails.
  ASSERT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 1);
  HeadlessRunOptions options;
  options.frameLimit = 10;
  HeadlessRunResult failed = runHeadlessGame(options);
  EXPECT_EQ(failed.exitCode, 0);
  EXPECT_EQ(failed.framesCompleted, 0);
  ASSERT_EQ(headlessDialogCount(), 1);
  EXPECT_EQ(std::string(headlessDialogText(0)), std::string("message: Pinwick: ") + kTextGraphicsFailed);

  // The failed start released what it found: the next run starts normally.
  HeadlessRunResult next = runHeadlessGame(options);
  EXPECT_EQ(next.end, kRunFrameLimit);
  EXPECT_EQ(next.framesCompleted, 10);
  EXPECT_EQ(headlessDialogCount(), 0);
}
