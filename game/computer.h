// The computer player: a fixed sequence of simple strategies chosen by level;
// the first strategy that finds a square decides. No game-tree search.
#pragma once
#include <cstdint>

#include "game/board.h"

constexpr int kNoMoveWeight = -8;    // pickBestWeight: the colour has no legal move
constexpr int kNoChoiceReply = 8;    // pickMinReply: no square was chosen
constexpr int kMaxComputerLevel = 3;

extern const int32_t baseWeights[kSquares];
// Working copies of baseWeights: [0] for white, [1] for black.
extern int32_t colourWeights[2][kSquares];

void resetWeightTables();

// Each strategy writes *column and *row only when it chooses a square.
int pickCorner(const Board& board, int colour, int* column, int* row);
int pickMostFlips(const Board& board, int colour, int* column, int* row);
int pickBestWeight(const Board& board, int colour, int* column, int* row);
int pickEdge(const Board& board, int colour, int* column, int* row);
int pickMinReply(const Board& board, int colour, int* column, int* row);

// Returns 1 with the chosen square, or 0 when the colour has no legal move.
int chooseMove(const Board& board, int colour, int level, int* column, int* row);
