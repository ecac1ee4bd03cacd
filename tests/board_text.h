// Boards written as pictures: eight rows of '.', 'O' (white) and 'X' (black).
#pragma once
#include <cstring>

#include "game/board.h"

inline Board boardFromText(const char* rows) {
  Board board{};
  int i = 0;
  for (const char* p = rows; *p != '\0' && i < kSquares; ++p) {
    switch (*p) {
      case '.': board.cells[i++] = kEmpty; break;
      case 'O': board.cells[i++] = kWhite; break;
      case 'X': board.cells[i++] = kBlack; break;
      default: break;  // spaces and line breaks only lay the picture out
    }
  }
  return board;
}

inline int at(int column, int row) { return row * kBoardSize + column; }
