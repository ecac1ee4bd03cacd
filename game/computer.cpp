// Corners first, edges second, positional weights and the opponent's best
// reply third, most captures last.
#include "game/computer.h"

#include <cstring>

#include "game/random.h"

const int32_t baseWeights[kSquares] = {
     8, -4,  4, -2, -2,  4, -4,  8,
    -4, -4, -2,  0,  0, -2, -4, -4,
     4, -2,  2,  0,  0,  2, -2,  4,
    -2,  0,  0,  0,  0,  0,  0, -2,
    -2,  0,  0,  0,  0,  0,  0, -2,
     4, -2,  2,  0,  0,  2, -2,  4,
    -4, -4, -2,  0,  0, -2, -4, -4,
     8, -4,  4, -2, -2,  4, -4,  8,
};

int32_t colourWeights[2][kSquares];

namespace {
constexpr int kCorners[4] = {0, 7, 56, 63};
constexpr int kDirUp = 1, kDirLeft = 3, kDirRight = 4, kDirDown = 6;

// Up to 64 square indices in the order found (the edge strategy can list a
// corner twice, so it never needs more than 32).
struct Candidates {
  int square[kSquares];
  int count;
};

void addCandidate(Candidates& list, int square) {
  if (list.count < kSquares) list.square[list.count++] = square;
}

// r is drawn from 0..3n, so the first candidate is picked by four of the
// 3n + 1 values and every other by three: a small bias kept on purpose.
void pickCandidate(const Candidates& list, int* column, int* row) {
  int r = randomInRange(0, 3 * list.count);
  int square = list.square[r % list.count];
  *column = square % kBoardSize;
  *row = square / kBoardSize;
}

const int32_t* weightsFor(int colour) { return colourWeights[colour == kBlack ? 1 : 0]; }

int opponentOf(int colour) { return colour == kWhite ? kBlack : kWhite; }
}  // namespace

void resetWeightTables() {
  std::memcpy(colourWeights[0], baseWeights, sizeof baseWeights);
  std::memcpy(colourWeights[1], baseWeights, sizeof baseWeights);
}

int pickCorner(const Board& board, int colour, int* column, int* row) {
  FlipScan scans[kSquares];
  scanBoard(board, colour, scans);
  Candidates list{{}, 0};
  for (int corner : kCorners)
    if (scans[corner].total != 0) addCandidate(list, corner);
  if (list.count == 0) return 0;
  pickCandidate(list, column, row);
  return 1;
}

int pickMostFlips(const Board& board, int colour, int* column, int* row) {
  FlipScan scans[kSquares];
  scanBoard(board, colour, scans);
  int most = 0;
  for (const FlipScan& scan : scans)
    if (scan.total > most) most = scan.total;
  if (most == 0) return 0;
  Candidates list{{}, 0};
  for (int i = 0; i < kSquares; ++i)
    if (scans[i].total == most) addCandidate(list, i);
  pickCandidate(list, column, row);
  return 1;
}

int pickBestWeight(const Board& board, int colour, int* column, int* row) {
  FlipScan scans[kSquares];
  scanBoard(board, colour, scans);
  const int32_t* weights = weightsFor(colour);
  int best = kNoMoveWeight;
  for (int i = 0; i < kSquares; ++i)
    if (scans[i].total != 0 && weights[i] > best) best = weights[i];
  if (best == kNoMoveWeight) return kNoMoveWeight;
  Candidates list{{}, 0};
  for (int i = 0; i < kSquares; ++i)
    if (scans[i].total != 0 && weights[i] == best) addCandidate(list, i);
  pickCandidate(list, column, row);
  return best;
}

int pickEdge(const Board& board, int colour, int* column, int* row) {
  FlipScan scans[kSquares];
  scanBoard(board, colour, scans);
  Candidates list{{}, 0};
  for (int i = 0; i < kSquares; ++i) {
    int c = i % kBoardSize, r = i / kBoardSize;
    const FlipScan& scan = scans[i];
    if ((r == 0 || r == kBoardSize - 1) &&
        (scan.perDirection[kDirLeft] != 0 || scan.perDirection[kDirRight] != 0))
      addCandidate(list, i);
    if ((c == 0 || c == kBoardSize - 1) &&
        (scan.perDirection[kDirUp] != 0 || scan.perDirection[kDirDown] != 0))
      addCandidate(list, i);
  }
  if (list.count == 0) return 0;
  pickCandidate(list, column, row);
  return 1;
}

int pickMinReply(const Board& board, int colour, int* column, int* row) {
  int opponent = opponentOf(colour);
  FlipScan scans[kSquares];
  scanBoard(board, colour, scans);
  int reply[kSquares];
  int least = kNoChoiceReply;
  for (int i = 0; i < kSquares; ++i) {
    if (scans[i].total == 0) continue;
    Board after;
    applyMove(after, board, i % kBoardSize, i / kBoardSize, colour);
    // The opponent's reply square is drawn and thrown away: only its weight counts.
    int ignoredColumn = 0, ignoredRow = 0;
    reply[i] = pickBestWeight(after, opponent, &ignoredColumn, &ignoredRow);
    if (reply[i] < least) least = reply[i];
  }
  if (least == kNoChoiceReply) return kNoChoiceReply;
  Candidates list{{}, 0};
  for (int i = 0; i < kSquares; ++i)
    if (scans[i].total != 0 && reply[i] == least) addCandidate(list, i);
  pickCandidate(list, column, row);
  return least;
}

int chooseMove(const Board& board, int colour, int level, int* column, int* row) {
  if (level < 0) level = 0;
  if (level > kMaxComputerLevel) level = kMaxComputerLevel;
  int c = 0, r = 0;
  bool found = pickCorner(board, colour, &c, &r) != 0;
  if (!found && level >= 2) found = pickEdge(board, colour, &c, &r) != 0;
  if (!found && (level == 1 || level == 2)) found = pickBestWeight(board, colour, &c, &r) != kNoMoveWeight;
  if (!found && level == 3) {
    int replyColumn = 0, replyRow = 0, weightColumn = 0, weightRow = 0;
    int m = pickMinReply(board, colour, &replyColumn, &replyRow);
    int w = pickBestWeight(board, colour, &weightColumn, &weightRow);
    // The look-ahead move wins only when the opponent's best reply is worth
    // less than the negative of the best weight on offer right now.
    if (-m > w) {
      c = replyColumn;
      r = replyRow;
      found = true;
    } else if (w != kNoMoveWeight) {
      c = weightColumn;
      r = weightRow;
      found = true;
    }
  }
  if (!found) found = pickMostFlips(board, colour, &c, &r) != 0;
  if (!found) return 0;
  *column = c;
  *row = r;
  return 1;
}
