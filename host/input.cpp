// Press edges from held state.
#include "host/input.h"
#include "host/input_testing.h"
#include "host/recording.h"
#include "host/shell.h"

InputState inputState;

namespace {
int32_t previousKeys = 0;
int32_t previousMouse = 0;
// Bits that went down since the last updateInputEdges, kept through a release.
int32_t keysWentDown = 0;
int32_t mouseWentDown = 0;
int keyboardPlayOn = 0;
}

void setKeyboardPlay(int on) { keyboardPlayOn = on ? 1 : 0; }

int keyboardPlay() { return keyboardPlayOn; }

void updateInputEdges() {
  inputState.keysPressed = (inputState.keysHeld & ~previousKeys) | keysWentDown;
  previousKeys = inputState.keysHeld;
  keysWentDown = 0;
  inputState.mousePressed = (inputState.mouseHeld & ~previousMouse) | mouseWentDown;
  previousMouse = inputState.mouseHeld;
  mouseWentDown = 0;
}

void readFrameInput() {
  updateInputEdges();
  shellCursorPosition(&inputState.mouseX, &inputState.mouseY);
  recordCursorRead(inputState.mouseX, inputState.mouseY);
}

void inputKeyDown(int32_t bit) {
  keysWentDown |= bit & ~inputState.keysHeld;
  inputState.keysHeld |= bit;
}

// Esc stays held for the rest of the run once pressed.
void inputKeyUp(int32_t bit) { inputState.keysHeld &= ~(bit & ~kKeyEsc); }

void inputMouseDown(int32_t bit) {
  mouseWentDown |= bit & ~inputState.mouseHeld;
  inputState.mouseHeld |= bit;
}

void inputMouseUp(int32_t bit) { inputState.mouseHeld &= ~bit; }

void inputKeyDownWhileMinimised(int32_t bit) { inputState.keysHeld |= bit; }

void inputMouseDownWhileMinimised(int32_t bit) { inputState.mouseHeld |= bit; }

void resetInputState() {
  inputState = InputState{};
  previousKeys = 0;
  previousMouse = 0;
  keysWentDown = 0;
  mouseWentDown = 0;
  keyboardPlayOn = 0;
}
