// Keyboard play: a highlight on the title's cards and a cursor on the board,
// moved by the arrows; Space and Enter do what a click on them would, through
// the same paths. Everything here is inert unless keyboardPlay() is on.
#pragma once
#include <cstdint>

// --- The title ---

// Each title starts with no highlight; the first Left or Right shows it.
void resetCardHighlight();
// Before drawing: Left highlights the white card, Right the red one.
void stepCardHighlight();
// After the frame wait: the card Space or Enter picks this frame (the
// highlighted one, the white card while none is), or -1.
int cardPickedByKey();
void drawCardHighlight();
// The highlighted card's button, or -1 while none is shown.
int highlightedCard();

// --- The match ---

// Each match starts with the cursor hidden on the top-left square.
void resetBoardCursor();
// The human's turn begins: a cursor off the legal squares goes to the first
// one in reading order. Call after the legal map is made for the turn.
void placeCursorOnLegalSquare();
// While the human is to move: the arrows move the cursor; 1 and its square
// when Space or Enter plays it. With Pass the only thing to do, the key is
// Pass's (matchButtonPressedByKey) and no square is played.
int stepBoardCursor(int* column, int* row);
// After the frame wait: the match's button Space or Enter presses this frame
// (Pass while it is lit, the end card once it shows), or -1.
int matchButtonPressedByKey();
// Over the stones, while the human is to move and once it has been shown.
void drawBoardCursor();
// The cursor's square, and 1 once it has been shown in this match.
int boardCursorShown(int* column, int* row);

// The native colour of both marks, once per scene before they are drawn.
void prepareKeyboardMarks();
