// The line the player (player_headless.cpp) plays: what it would move, and
// which moves there are.
#pragma once
#include <cstdint>

#include "game/board.h"

constexpr int32_t kPlayerNoSquare = -1;

// The squares (row * 8 + column) where colour may move, in index order, into
// moves; their count.
int listMoves(const Board& board, int colour, int8_t* moves);

// The square the player's line chooses for colour, or kPlayerNoSquare when
// there is no move.
int choosePlayerSquare(const Board& board, int colour);
