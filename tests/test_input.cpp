#include <gtest/gtest.h>

#include "app/input.h"

namespace {

TEST(InputEdges, AHeldKeyOrButtonGivesOneEdge) {
  resetInputState();
  inputState.keysHeld |= kKeyZ;
  inputState.mouseHeld |= kMouseLeft;
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, kKeyZ);
  EXPECT_EQ(inputState.mousePressed, kMouseLeft);
  inputState.keysHeld |= kKeyZ;  // auto-repeat sets the bit again
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, 0);
  EXPECT_EQ(inputState.mousePressed, 0);
  // A press and release between two frames leaves no edge.
  inputState.keysHeld &= ~kKeyZ;
  updateInputEdges();
  inputState.keysHeld |= kKeySpace;
  inputState.keysHeld &= ~kKeySpace;
  updateInputEdges();
  EXPECT_EQ(inputState.keysPressed, 0);
  resetInputState();
}

}  // namespace
