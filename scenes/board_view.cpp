// The static parts of the match screen.
#include "scenes/board_view.h"

#include "game/board.h"
#include "gfx/gfx.h"
#include "host/input.h"
#include "scenes/board_geometry.h"
#include "scenes/match.h"
#include "scenes/picture_slots.h"

namespace {
constexpr Rect kBackgroundRect = {0, 0, kScreenWidth, kScreenHeight};  // the picture covers the screen
constexpr Rect kEmptySquare = {0, 0, 6, 6};
constexpr Rect kHoverSquare = {0, 6, 6, 12};
constexpr Rect kTurnPictureRect = {0, 0, 32, 48};
constexpr int32_t kTurnPictureX = 6;
constexpr int32_t kTurnPictureY = 6;
}  // namespace

int boardSquareAt(int x, int y, int* column, int* row) {
  if (x < kBoardLeft || x >= kBoardLeft + kBoardPixels || y < kBoardTop || y >= kBoardTop + kBoardPixels) return 0;
  *column = (x - kBoardLeft) / kSquarePixels;
  *row = (y - kBoardTop) / kSquarePixels;
  return 1;
}

void drawBackground() { drawSprite(kScreenRect, 0, 0, kBackgroundRect, kSlotBackground); }

void drawBoardSquares() {
  for (int row = 0; row < kBoardSize; ++row)
    for (int column = 0; column < kBoardSize; ++column)
      drawSprite(kScreenRect, squareLeft(column), squareTop(row), kEmptySquare, kSlotStones);
  if (matchState != kAwaitingMove) return;
  if (humanColor != 0 && humanColor != sideToMove) return;
  // The mark shows on any square under the mouse, occupied or not.
  int column = 0, row = 0;
  if (!boardSquareAt(inputState.mouseX, inputState.mouseY, &column, &row)) return;
  drawSprite(kScreenRect, squareLeft(column), squareTop(row), kHoverSquare, kSlotStones);
}

void drawStonesAndTurn() {
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      int32_t v = matchBoard.cells[row * kBoardSize + column];
      if (v != kWhite && v != kBlack) continue;
      Rect stone = {kSquarePixels * v, 0, kSquarePixels * v + kSquarePixels, kSquarePixels};
      drawSprite(kScreenRect, squareLeft(column), squareTop(row), stone, kSlotStones);
    }
  }
  int slot = -1;
  switch (sideToMove) {
    case 0: slot = kSlotEndCard; break;
    case kWhite: slot = kSlotWhiteCard; break;
    case kBlack: slot = kSlotRedCard; break;
    default: return;
  }
  drawSprite(kScreenRect, kTurnPictureX, kTurnPictureY, kTurnPictureRect, slot);
}
