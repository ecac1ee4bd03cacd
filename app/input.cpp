// Press edges from held state.
#include "app/input.h"

InputState inputState;

namespace {
int32_t previousKeys = 0;
int32_t previousMouse = 0;
}

void updateInputEdges() {
  inputState.keysPressed = inputState.keysHeld & ~previousKeys;
  previousKeys = inputState.keysHeld;
  inputState.mousePressed = inputState.mouseHeld & ~previousMouse;
  previousMouse = inputState.mouseHeld;
}

void resetInputState() {
  inputState = InputState{};
  previousKeys = 0;
  previousMouse = 0;
}
