// Reversi rules on plain 64-cell boards.
#include "game/board.h"

#include <cstring>

const int kDirectionRowStep[kDirections] = {-1, -1, -1, 0, 0, 1, 1, 1};
const int kDirectionColumnStep[kDirections] = {-1, 0, 1, -1, 1, -1, 0, 1};

Board matchBoard;
int32_t legalMap[kSquares];
int32_t flipDelayMap[kSquares];

namespace {
// The first captured stone of a move turns this many frames after the move,
// each further one this many frames after the one before.
constexpr int32_t kFirstFlipDelay = 20;
constexpr int32_t kFlipDelayStep = 10;

bool onBoard(int column, int row) {
  return column >= 0 && column < kBoardSize && row >= 0 && row < kBoardSize;
}

int squareIndex(int column, int row) { return row * kBoardSize + column; }
}  // namespace

FlipScan scanSquare(const Board& board, int column, int row, int colour) {
  FlipScan scan{};
  if (!onBoard(column, row) || board.cells[squareIndex(column, row)] != kEmpty) return scan;
  for (int d = 0; d < kDirections; ++d) {
    int c = column + kDirectionColumnStep[d];
    int r = row + kDirectionRowStep[d];
    int run = 0;
    while (onBoard(c, r)) {
      int32_t cell = board.cells[squareIndex(c, r)];
      if (cell == kEmpty) break;
      if (cell == colour) {
        scan.perDirection[d] = run;
        scan.total += run;
        break;
      }
      ++run;
      c += kDirectionColumnStep[d];
      r += kDirectionRowStep[d];
    }
  }
  return scan;
}

void scanBoard(const Board& board, int colour, FlipScan out[kSquares]) {
  for (int i = 0; i < kSquares; ++i) out[i] = scanSquare(board, i % kBoardSize, i / kBoardSize, colour);
}

int applyMove(Board& destination, const Board& source, int column, int row, int colour) {
  destination = source;
  FlipScan scan = scanSquare(destination, column, row, colour);
  if (scan.total == 0) return 0;
  destination.cells[squareIndex(column, row)] = colour;
  for (int d = 0; d < kDirections; ++d) {
    int c = column, r = row;
    for (int n = 0; n < scan.perDirection[d]; ++n) {
      c += kDirectionColumnStep[d];
      r += kDirectionRowStep[d];
      destination.cells[squareIndex(c, r)] = colour;
    }
  }
  return scan.total;
}

int scanAndMark(int column, int row, int colour, int mark) {
  FlipScan scan = scanSquare(matchBoard, column, row, colour);
  // One countdown runs across all directions, so stones turn one after another.
  int32_t countdown = kFirstFlipDelay;
  for (int d = 0; d < kDirections; ++d) {
    int c = column, r = row;
    for (int n = 0; n < scan.perDirection[d]; ++n) {
      c += kDirectionColumnStep[d];
      r += kDirectionRowStep[d];
      if (mark) flipDelayMap[squareIndex(c, r)] = countdown;
      countdown += kFlipDelayStep;
    }
  }
  return scan.total;
}

int refreshLegalMap(int colour) {
  int any = 0;
  for (int i = 0; i < kSquares; ++i) {
    legalMap[i] = scanAndMark(i % kBoardSize, i / kBoardSize, colour, 0);
    if (legalMap[i] != 0) any = 1;
  }
  return any;
}

StoneCount countStones() {
  StoneCount count{0, 0};
  for (int32_t cell : matchBoard.cells) {
    if (cell == kWhite) ++count.white;
    else if (cell == kBlack) ++count.black;
  }
  return count;
}

int gameResult() {
  StoneCount count = countStones();
  bool over = count.white == 0 || count.black == 0 || count.white + count.black == kSquares;
  // Black's map is asked for only when white has no move: the map the caller
  // finds afterwards depends on it.
  if (!over) over = refreshLegalMap(kWhite) == 0 && refreshLegalMap(kBlack) == 0;
  if (!over) return -1;
  if (count.white == count.black) return 0;
  return count.white > count.black ? 1 : 2;
}

void setupBoard() {
  std::memset(&matchBoard, 0, sizeof matchBoard);
  std::memset(flipDelayMap, 0, sizeof flipDelayMap);
  std::memset(legalMap, 0, sizeof legalMap);
  matchBoard.cells[squareIndex(3, 3)] = kWhite;
  matchBoard.cells[squareIndex(4, 3)] = kBlack;
  matchBoard.cells[squareIndex(3, 4)] = kBlack;
  matchBoard.cells[squareIndex(4, 4)] = kWhite;
}
