// The board and the rules of 8 x 8 Reversi: capture scan, moves on copies,
// the capture countdowns of the match board, the legal-move map, the end test.
#pragma once
#include <cstdint>

constexpr int kBoardSize = 8;
constexpr int kSquares = kBoardSize * kBoardSize;
constexpr int kDirections = 8;

constexpr int32_t kEmpty = 0;
constexpr int32_t kWhite = 1;
constexpr int32_t kBlack = 2;

// Cell (column c, row r) lives at r * 8 + c, row 0 at the top.
struct Board {
  int32_t cells[kSquares];
};

// What one move on one square captures, in total and per direction.
struct FlipScan {
  int32_t total;
  int32_t perDirection[kDirections];
};

struct StoneCount {
  int white;
  int black;
};

// Row and column steps of the eight directions, in scan order.
extern const int kDirectionRowStep[kDirections];
extern const int kDirectionColumnStep[kDirections];

// The board of the match in progress, and its two maps.
extern Board matchBoard;
extern int32_t legalMap[kSquares];
extern int32_t flipDelayMap[kSquares];

FlipScan scanSquare(const Board& board, int column, int row, int colour);
void scanBoard(const Board& board, int colour, FlipScan out[kSquares]);
int applyMove(Board& destination, const Board& source, int column, int row, int colour);
int scanAndMark(int column, int row, int colour, int mark);
int refreshLegalMap(int colour);
StoneCount countStones();
int gameResult();
void setupBoard();
