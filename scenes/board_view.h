// Draws the background, the board with its hover mark, the stones and the
// turn picture from the match state. Changes no state.
#pragma once

void drawBackground();
void drawBoardSquares();
void drawStonesAndTurn();

// The square under (x, y), or 0 when (x, y) is off the 48 x 48 board. The
// same arithmetic decides which square a click plays.
int boardSquareAt(int x, int y, int* column, int* row);
