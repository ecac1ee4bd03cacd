// The player's own line: a shallow search with positional weights and
// mobility, exact once few squares are left. It reads the board only; the
// game's generator is never drawn from.
#include "app/headless/player_line_headless.h"

namespace {
constexpr int kSearchDepth = 3;
constexpr int kExactEmpties = 8;       // from here on it counts to the end
constexpr int kMobilityWeight = 4;
constexpr int kWinScore = 100000;
constexpr int kInfinity = 1000000;
// Corners above all, the squares next to them to avoid.
constexpr int32_t kSquareWeights[kSquares] = {
    100, -25, 10,  5,  5, 10, -25, 100,
    -25, -50, -2, -2, -2, -2, -50, -25,
     10,  -2,  1,  1,  1,  1,  -2,  10,
      5,  -2,  1,  0,  0,  1,  -2,   5,
      5,  -2,  1,  0,  0,  1,  -2,   5,
     10,  -2,  1,  1,  1,  1,  -2,  10,
    -25, -50, -2, -2, -2, -2, -50, -25,
    100, -25, 10,  5,  5, 10, -25, 100,
};

int opponent(int colour) { return colour == kWhite ? kBlack : kWhite; }

int emptySquares(const Board& board) {
  int n = 0;
  for (int32_t cell : board.cells) n += cell == kEmpty ? 1 : 0;
  return n;
}

int finalScore(const Board& board, int colour) {
  int mine = 0, theirs = 0;
  for (int32_t cell : board.cells) {
    if (cell == colour) ++mine;
    else if (cell != kEmpty) ++theirs;
  }
  const int diff = mine - theirs;
  return diff > 0 ? kWinScore + diff : diff < 0 ? -kWinScore + diff : 0;
}

int estimate(const Board& board, int colour) {
  int score = 0;
  for (int i = 0; i < kSquares; ++i) {
    if (board.cells[i] == colour) score += kSquareWeights[i];
    else if (board.cells[i] != kEmpty) score -= kSquareWeights[i];
  }
  int8_t moves[kSquares];
  score += kMobilityWeight * (listMoves(board, colour, moves) - listMoves(board, opponent(colour), moves));
  return score;
}

int search(const Board& board, int colour, int depth, int alpha, int beta, int passed) {
  int8_t moves[kSquares];
  const int count = listMoves(board, colour, moves);
  if (count == 0) {
    if (passed) return finalScore(board, colour);
    return -search(board, opponent(colour), depth, -beta, -alpha, 1);
  }
  if (depth == 0) return estimate(board, colour);
  int best = -kInfinity;
  for (int m = 0; m < count; ++m) {
    Board after;
    applyMove(after, board, moves[m] % kBoardSize, moves[m] / kBoardSize, colour);
    const int value = -search(after, opponent(colour), depth - 1, -beta, -alpha, 0);
    if (value > best) best = value;
    if (value > alpha) alpha = value;
    if (alpha >= beta) break;
  }
  return best;
}
}  // namespace

int listMoves(const Board& board, int colour, int8_t* moves) {
  int count = 0;
  for (int i = 0; i < kSquares; ++i) {
    if (board.cells[i] != kEmpty) continue;
    if (scanSquare(board, i % kBoardSize, i / kBoardSize, colour).total != 0) moves[count++] = static_cast<int8_t>(i);
  }
  return count;
}

int choosePlayerSquare(const Board& board, int colour) {
  int8_t moves[kSquares];
  const int count = listMoves(board, colour, moves);
  if (count == 0) return kPlayerNoSquare;
  const int empties = emptySquares(board);
  const int depth = empties <= kExactEmpties ? empties : kSearchDepth;
  int best = -kInfinity - 1, chosen = moves[0];
  for (int m = 0; m < count; ++m) {
    Board after;
    applyMove(after, board, moves[m] % kBoardSize, moves[m] / kBoardSize, colour);
    const int value = -search(after, opponent(colour), depth - 1, -kInfinity, -best, 0);
    if (value > best) {
      best = value;
      chosen = moves[m];
    }
  }
  return chosen;
}
