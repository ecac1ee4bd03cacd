// The title's card highlight and the board cursor of keyboard play.
#include "scenes/keyboard_play.h"

#include "game/board.h"
#include "gfx/gfx.h"
#include "host/input.h"
#include "scenes/board_geometry.h"
#include "scenes/buttons.h"
#include "scenes/match.h"

namespace {
// The palette's light blue: apart from the gold hover mark, the green board
// and both colours of stone.
constexpr uint32_t kKeyboardMarkColour = 0xF8C87C;  // 0x00BBGGRR
constexpr int32_t kMarkLine = 1;                    // pixels
constexpr int32_t kKeysThatPick = kKeySpace | kKeyEnter;
constexpr int32_t kArrowKeys = kKeyLeft | kKeyRight | kKeyUp | kKeyDown;
constexpr int kNoCard = -1;

uint32_t markNative = 0;
int card = kNoCard;
int cursorShown = 0;
int cursorColumn = 0;
int cursorRow = 0;

int pickKeyPressed() { return keyboardPlay() && (inputState.keysPressed & kKeysThatPick) != 0; }

// A frame of kMarkLine pixels just inside r.
void drawOutline(const Rect& r) {
  fillRect({r.left, r.top, r.right, r.top + kMarkLine}, markNative);
  fillRect({r.left, r.bottom - kMarkLine, r.right, r.bottom}, markNative);
  fillRect({r.left, r.top + kMarkLine, r.left + kMarkLine, r.bottom - kMarkLine}, markNative);
  fillRect({r.right - kMarkLine, r.top + kMarkLine, r.right, r.bottom - kMarkLine}, markNative);
}

int clampToBoard(int n) { return n < 0 ? 0 : n >= kBoardSize ? kBoardSize - 1 : n; }

int buttonLit(int index) { return buttonTable[index].inUse && buttonTable[index].state != kButtonDisabled; }

int humanToMove() { return matchState == kAwaitingMove && (humanColor == 0 || humanColor == sideToMove); }
}  // namespace

void prepareKeyboardMarks() {
  // Converting touches the back buffer: never on a run that cannot show a mark.
  if (keyboardPlay()) markNative = toNativeColor(kKeyboardMarkColour);
}

void resetCardHighlight() { card = kNoCard; }

void stepCardHighlight() {
  if (!keyboardPlay()) return;
  const int32_t pressed = inputState.keysPressed;
  if (pressed & kKeyLeft) card = kButtonPlayWhite;
  if (pressed & kKeyRight) card = kButtonPlayBlack;
}

int cardPickedByKey() {
  if (!pickKeyPressed()) return -1;
  return card == kNoCard ? kButtonPlayWhite : card;
}

void drawCardHighlight() {
  if (!keyboardPlay() || card == kNoCard) return;
  const Button& b = buttonTable[card];
  // Just outside the card, which is opaque to its edge.
  drawOutline({b.x - kMarkLine, b.y - kMarkLine, b.x + kCardWidth + kMarkLine, b.y + kCardHeight + kMarkLine});
}

int highlightedCard() { return card; }

void resetBoardCursor() {
  cursorShown = 0;
  cursorColumn = 0;
  cursorRow = 0;
}

void placeCursorOnLegalSquare() {
  if (!keyboardPlay() || legalMap[cursorRow * kBoardSize + cursorColumn] != 0) return;
  for (int i = 0; i < kSquares; ++i) {
    if (legalMap[i] == 0) continue;
    cursorColumn = i % kBoardSize;
    cursorRow = i / kBoardSize;
    return;
  }
}

int stepBoardCursor(int* column, int* row) {
  if (!keyboardPlay()) return 0;
  const int32_t pressed = inputState.keysPressed;
  if (pressed & kArrowKeys) {
    cursorShown = 1;
    cursorColumn = clampToBoard(cursorColumn + ((pressed & kKeyRight) ? 1 : 0) - ((pressed & kKeyLeft) ? 1 : 0));
    cursorRow = clampToBoard(cursorRow + ((pressed & kKeyDown) ? 1 : 0) - ((pressed & kKeyUp) ? 1 : 0));
  }
  if (!pickKeyPressed() || buttonLit(kButtonPass)) return 0;
  cursorShown = 1;
  *column = cursorColumn;
  *row = cursorRow;
  return 1;
}

int matchButtonPressedByKey() {
  if (!pickKeyPressed()) return -1;
  // In the order a click looks at them; they are never lit together.
  if (buttonLit(kButtonPass)) return kButtonPass;
  if (buttonLit(kButtonEndCard)) return kButtonEndCard;
  return -1;
}

void drawBoardCursor() {
  if (!keyboardPlay() || !cursorShown || !humanToMove()) return;
  const int32_t left = squareLeft(cursorColumn), top = squareTop(cursorRow);
  drawOutline({left, top, left + kSquarePixels, top + kSquarePixels});
}

int boardCursorShown(int* column, int* row) {
  *column = cursorColumn;
  *row = cursorRow;
  return cursorShown;
}
