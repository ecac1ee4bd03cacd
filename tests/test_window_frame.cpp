#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/headless/clock_headless.h"
#include "app/headless/present_headless.h"
#include "app/headless/shell_headless.h"
#include "host/clock.h"
#include "host/frame.h"
#include "host/frame_testing.h"
#include "host/input.h"
#include "host/input_testing.h"
#include "host/window_proc.h"
#include "host/window_proc_testing.h"

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetHeadlessShell();
    resetWindowState();
    resetInputState();
    setHeadlessVolumeControl(1);
  }
  void TearDown() override {
    resetHeadlessShell();
    resetWindowState();
    resetInputState();
    setHeadlessVolumeControl(1);
  }
};

TEST_F(WindowTest, KeysSetAndClearTheirBitsButEscStays) {
  windowProcedure(kWmKeyDown, kVkZ, 0);
  windowProcedure(kWmKeyDown, kVkF2, 0);
  windowProcedure(kWmKeyDown, 0x42, 0);  // B: not tracked
  EXPECT_EQ(inputState.keysHeld, kKeyZ | kKeyF2);
  windowProcedure(kWmKeyUp, kVkZ, 0);
  EXPECT_EQ(inputState.keysHeld, kKeyF2);
  windowProcedure(kWmKeyDown, kVkEscape, 0);
  windowProcedure(kWmKeyUp, kVkEscape, 0);
  EXPECT_TRUE(inputState.keysHeld & kKeyEsc) << "Esc is never cleared once pressed";
  EXPECT_EQ(keyBitFor(kVkShift), kKeyShift);
  EXPECT_EQ(keyBitFor(kVkM), 0);
}

TEST_F(WindowTest, MouseButtonsAndSizeMessages) {
  windowProcedure(kWmLButtonDown, 0, 0);
  windowProcedure(kWmRButtonDown, 0, 0);
  EXPECT_EQ(inputState.mouseHeld, kMouseLeft | kMouseRight);
  windowProcedure(kWmLButtonUp, 0, 0);
  EXPECT_EQ(inputState.mouseHeld, kMouseRight);
  windowProcedure(kWmSize, kSizeMinimized, 0);
  EXPECT_EQ(windowMinimised(), 1);
  windowProcedure(kWmSize, kSizeMaximized, 0);  // no change
  EXPECT_EQ(windowMinimised(), 1);
  windowProcedure(kWmSize, kSizeRestored, 0);
  EXPECT_EQ(windowMinimised(), 0);
  EXPECT_EQ(windowProcedure(kWmMouseMove, 0, 0), 0) << "left to the default handling";
}

TEST_F(WindowTest, APressWhileMinimisedCountsOnlyIfStillHeldWhenTheWindowIsBack) {
  windowProcedure(kWmSize, kSizeMinimized, 0);
  windowProcedure(kWmKeyDown, kVkZ, 0);
  windowProcedure(kWmKeyUp, kVkZ, 0);
  windowProcedure(kWmLButtonDown, 0, 0);
  windowProcedure(kWmLButtonUp, 0, 0);
  windowProcedure(kWmRButtonDown, 0, 0);
  windowProcedure(kWmSize, kSizeRestored, 0);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, 0) << "Z would hurry the computer";
  EXPECT_EQ(inputState.mousePressed, kMouseRight);
  // Frames run again: a quick press between two of them counts.
  windowProcedure(kWmKeyDown, kVkZ, 0);
  windowProcedure(kWmKeyUp, kVkZ, 0);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, kKeyZ);
}

TEST_F(WindowTest, CloseAsksAndOnlyYesEndsTheProgram) {
  setHeadlessAnswer(0);
  windowProcedure(kWmClose, 0, 0);
  EXPECT_EQ(headlessQueuedMessages(), 0) << "No leaves the game where it was";
  setHeadlessAnswer(1);
  windowProcedure(kWmCommand, kCommandExit, 0);  // Game > Exit goes through the same question
  ASSERT_EQ(headlessQueuedMessages(), 1);
  // The posted WM_DESTROY posts the quit message, which ends the pump.
  EXPECT_EQ(runMessagePump(), 0);
  EXPECT_EQ(headlessDialogCount(), 2);
  EXPECT_NE(std::string(headlessDialogText(0)).find("End？"), std::string::npos);
}

TEST_F(WindowTest, CommandsResetMinimiseAndTheVolumeControl) {
  windowProcedure(kWmCommand, kCommandReset | (1u << 16), 0);  // only the low 16 bits count
  EXPECT_EQ(takeResetRequest(), 1);
  EXPECT_EQ(takeResetRequest(), 0) << "taken once";
  windowProcedure(kWmCommand, kCommandMinimise, 0);
  EXPECT_EQ(windowMinimised(), 1);
  windowProcedure(kWmCommand, kCommandVolume, 0);
  EXPECT_EQ(volumeWaitMessages(), kVolumeWaitMessages);
  EXPECT_EQ(headlessDialogCount(), 0) << "it started: no message";
  setHeadlessVolumeControl(0);
  windowProcedure(kWmCommand, kCommandVolume, 0);
  EXPECT_EQ(volumeWaitMessages(), kVolumeWaitMessages);
  ASSERT_EQ(headlessDialogCount(), 1);
  EXPECT_NE(std::string(headlessDialogText(0)).find("ボリューム設定を起動できませんでした"), std::string::npos);
  windowProcedure(kWmCommand, 40099, 0);
  EXPECT_EQ(headlessDialogCount(), 1);
}

TEST_F(WindowTest, VersionTextTakesTheMonthFromItsFirstThreeLetters) {
  char text[128];
  formatVersionText(text, sizeof text, 1, 0, 1, "Mar 18 2006");
  EXPECT_STREQ(text, "Pinwick Version 1.0.1\nBuild 2006/03/18");
  formatVersionText(text, sizeof text, 1, 0, 1, "Jan  5 2027");
  EXPECT_STREQ(text, "Pinwick Version 1.0.1\nBuild 2027/01/05");
  formatVersionText(text, sizeof text, 0, 0, 0, "Dec 31 2026");
  EXPECT_STREQ(text, "Pinwick Version 0.0.0\nBuild 2026/12/31");
  formatVersionText(text, sizeof text, 1, 0, 1, "Foo 2 2020");
  EXPECT_STREQ(text, "Pinwick Version 1.0.1\nBuild 2020/12/02") << "no match counts as December";
  formatVersionText(text, sizeof text, 1, 0, 1, "Septembre 9 2021");
  EXPECT_STREQ(text, "Pinwick Version 1.0.1\nBuild 2021/09/09");
  formatVersionText(text, sizeof text, 1, 0, 1, "Mar 18");
  EXPECT_STREQ(text, "Pinwick Version 1.0.1\nBuild 0/03/00") << "without all three fields, no day or year";
  windowProcedure(kWmCommand, kCommandVersion, 0);
  ASSERT_EQ(headlessDialogCount(), 1);
  EXPECT_NE(std::string(headlessDialogText(0)).find("Pinwick Version 1.0.1"), std::string::npos);
}

// --- The pump and the frame clock on the virtual clock ---

TEST_F(WindowTest, PumpWaitsWhileMinimisedAndThroughTheVolumeWait) {
  postHeadlessMessage(kWmKeyDown, kVkZ, 0);
  EXPECT_EQ(runMessagePump(), 1);
  EXPECT_TRUE(inputState.keysHeld & kKeyZ);

  // Minimised, the pump takes messages until the window is restored.
  setWindowMinimised(1);
  postHeadlessMessage(kWmKeyUp, kVkZ, 0);
  postHeadlessMessage(kWmSize, kSizeRestored, 0);
  postHeadlessMessage(kWmLButtonDown, 0, 0);
  EXPECT_EQ(runMessagePump(), 1);
  EXPECT_EQ(windowMinimised(), 0);
  EXPECT_EQ(inputState.keysHeld & kKeyZ, 0);
  EXPECT_EQ(headlessQueuedMessages(), 0);

  // The Volume wait's messages are waited for even with an empty queue: with
  // fewer than expected the headless shell has nothing to give and ends the run.
  setVolumeWaitMessages(2);
  postHeadlessMessage(kWmLButtonUp, 0, 0);
  postHeadlessMessage(kWmRButtonDown, 0, 0);
  EXPECT_EQ(runMessagePump(), 1);
  EXPECT_EQ(volumeWaitMessages(), 0);
  setVolumeWaitMessages(2);
  postHeadlessMessage(kWmRButtonUp, 0, 0);
  EXPECT_EQ(runMessagePump(), 0);
}

TEST_F(WindowTest, AcceleratorMMinimisesWithoutDispatching) {
  postHeadlessMessage(kWmKeyDown, kVkM, 0);
  postHeadlessMessage(kWmSize, kSizeRestored, 0);
  EXPECT_EQ(runMessagePump(), 1);
  EXPECT_EQ(windowMinimised(), 0);
  EXPECT_EQ(inputState.keysHeld, 0);
}

// The game's own work between two frame waits, on the virtual clock.
void work(uint32_t ms) { sleepUntil(tickCount() + ms); }

class FrameClockTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 1);
  }
  void TearDown() override {
    shutdownGraphics();
    WindowTest::TearDown();
  }
  // Ticks at which each of n frame waits presented.
  static std::vector<uint32_t> presentTimes(int n, uint32_t workMs) {
    std::vector<uint32_t> times;
    for (int i = 0; i < n; ++i) {
      work(workMs);
      uint32_t before = presentedFrameCount();
      EXPECT_EQ(waitFrame(), 1);
      EXPECT_EQ(presentedFrameCount(), before + 1);
      times.push_back(tickCount());
    }
    return times;
  }
};

TEST_F(FrameClockTest, FramesKeepTheTwentyMillisecondGridAndCatchUp) {
  setHeadlessTicks(1000000);
  setLastFrameTick(0);
  presentTimes(1, 0);  // the first wait finds the clock far behind and resets it
  uint32_t start = lastFrameTick();
  EXPECT_EQ(start, 1000001u);
  std::vector<uint32_t> t = presentTimes(3, 5);
  EXPECT_EQ(lastFrameTick(), start + 60);
  EXPECT_EQ(t[0], start + 20);
  // A frame whose work takes 30 ms is presented at once, after one 1 ms
  // sleep; the next one comes 20 ms after the late frame's tick, not 20 ms
  // after its presentation.
  t = presentTimes(1, 30);
  EXPECT_EQ(t[0], start + 60 + 31);
  EXPECT_EQ(lastFrameTick(), start + 80);
  t = presentTimes(1, 5);
  EXPECT_EQ(t[0], start + 100);
  // A stall of 100 ms or more drops the lost ticks.
  work(150);
  uint32_t beforeStall = tickCount();
  presentTimes(1, 0);
  EXPECT_EQ(lastFrameTick(), beforeStall + 1);
}

// How long the present of one frame waited beyond its frame tick.
uint32_t presentWait(uint32_t workMs) {
  work(workMs);
  EXPECT_EQ(waitFrame(), 1);
  return tickCount() - lastFrameTick();
}

// The loading picture is presented at start-up, before the frame clock runs.
void startUpAfterLoading(uint32_t loadMs) {
  setHeadlessTicks(50000000);  // far past any tick an earlier test left
  setLastFrameTick(0);
  presentOutsideFrame();
  work(loadMs);
}

TEST_F(FrameClockTest, TheStartUpPictureLeavesNoWaitInLaterFrames) {
  for (uint32_t loadMs : {0u, 5u, 12u}) {
    startUpAfterLoading(loadMs);
    presentWait(0);
    for (int frame = 0; frame < 10; ++frame)
      ASSERT_EQ(presentWait(5), 0u) << "load " << loadMs << " ms, frame " << frame;
  }
}

TEST_F(FrameClockTest, AStallOfExactlyTheLimitThenALateFrameLeaveNoWait) {
  startUpAfterLoading(3);
  for (int frame = 0; frame < 5; ++frame) presentWait(5);
  const uint32_t beforeStall = lastFrameTick();
  presentWait(99);  // with waitFrame's own 1 ms sleep: exactly 100 ms behind
  EXPECT_EQ(lastFrameTick(), beforeStall + 100) << "the frame clock restarts from now";
  EXPECT_EQ(presentWait(40), 21u) << "presented as soon as its work ends";
  EXPECT_EQ(presentWait(5), 7u) << "its tick had passed: presented as soon as its work ends";
  for (int frame = 0; frame < 10; ++frame) ASSERT_EQ(presentWait(5), 0u) << "frame " << frame;
}

TEST_F(FrameClockTest, APresentOutsideAFrameWaitsForTheNextTickWithoutTakingIt) {
  startUpAfterLoading(0);
  presentWait(5);
  const uint32_t tick = lastFrameTick();
  presentOutsideFrame();
  EXPECT_EQ(tickCount(), tick + 20);
  EXPECT_EQ(lastFrameTick(), tick);
  EXPECT_EQ(presentWait(0), 1u) << "the next frame finds its tick passed";
  EXPECT_EQ(lastFrameTick(), tick + 20);
}

TEST_F(FrameClockTest, CountsTheFramesOfEachWholeSecond) {
  startUpAfterLoading(0);
  for (int frame = 0; frame < 120; ++frame) presentWait(5);
  EXPECT_EQ(framesPerSecond(), 50);
  work(2500);  // a stall: the seconds it spans held no frame
  presentWait(0);
  EXPECT_EQ(framesPerSecond(), 0);
}

TEST_F(FrameClockTest, NeitherRacesNorStallsAcrossTheWrap) {
  setHeadlessTicks(0xFFFFFF00u);
  setLastFrameTick(0xFFFFFF00u);
  uint32_t previous = tickCount();
  for (int i = 0; i < 40; ++i) {
    ASSERT_EQ(waitFrame(), 1);
    uint32_t now = tickCount();
    EXPECT_EQ(static_cast<uint32_t>(now - previous), 20u) << "frame " << i;
    previous = now;
  }
  EXPECT_LT(tickCount(), 0x00001000u) << "the counter wrapped during the test";
}

TEST_F(FrameClockTest, AClockThatStandsStillEndsTheWaitInsteadOfSpinning) {
  startUpAfterLoading(0);
  presentWait(5);
  for (uint32_t i = 1; i < kHeadlessStillSleepLimit; ++i) sleepUntil(tickCount());
  EXPECT_EQ(headlessClockStalled(), 0) << "one sleep short of the limit";
  sleepUntil(tickCount());
  EXPECT_EQ(runMessagePump(), 0) << "the pump ends the run";
  work(1);  // moving again
  resetHeadlessShell();
  EXPECT_EQ(waitFrame(), 1);
}

}  // namespace
