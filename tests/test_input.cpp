#include <gtest/gtest.h>

#include "host/input.h"
#include "host/input_testing.h"

namespace {

TEST(InputEdges, AHeldKeyOrButtonGivesOneEdge) {
  resetInputState();
  inputKeyDown(kKeyZ);
  inputMouseDown(kMouseLeft);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, kKeyZ);
  EXPECT_EQ(inputState.mousePressed, kMouseLeft);
  inputKeyDown(kKeyZ);  // auto-repeat
  inputMouseDown(kMouseLeft);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, 0);
  EXPECT_EQ(inputState.mousePressed, 0);
  EXPECT_EQ(inputState.keysHeld, kKeyZ);
  EXPECT_EQ(inputState.mouseHeld, kMouseLeft);
  resetInputState();
}

TEST(InputEdges, APressReleasedBeforeTheFrameStillGivesItsEdgeOnce) {
  resetInputState();
  inputKeyDown(kKeySpace);
  inputKeyUp(kKeySpace);
  inputMouseDown(kMouseLeft);
  inputMouseUp(kMouseLeft);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, kKeySpace);
  EXPECT_EQ(inputState.mousePressed, kMouseLeft);
  EXPECT_EQ(inputState.keysHeld, 0);
  EXPECT_EQ(inputState.mouseHeld, 0);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, 0);
  EXPECT_EQ(inputState.mousePressed, 0);

  // Held across frames, then let go and pressed again in between: a new edge.
  inputMouseDown(kMouseRight);
  updateInputEdges();
  inputMouseUp(kMouseRight);
  inputMouseDown(kMouseRight);
  updateInputEdges();
  EXPECT_EQ(inputState.mousePressed, kMouseRight);

  // Esc stays held through its key-up, so pressing it again is no new edge.
  inputKeyDown(kKeyEsc);
  inputKeyUp(kKeyEsc);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, kKeyEsc);
  inputKeyDown(kKeyEsc);
  inputKeyUp(kKeyEsc);
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, 0);
  EXPECT_EQ(inputState.keysHeld, kKeyEsc);
  resetInputState();
}

}  // namespace
