#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "app/headless/clock_headless.h"
#include "board_text.h"
#include "game/computer.h"
#include "game/random.h"
#include "game/random_testing.h"

namespace {

// With the seconds fixed at 0 nothing is discarded, so the k-th draw after a
// seed is exactly the r of the k-th pick.
class ComputerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setHeadlessSeconds(0);
    resetWeightTables();
  }
  void TearDown() override {
    setHeadlessSeconds(-1);
    resetWeightTables();
  }
};

// The position a pick takes from n candidates when it is the (skip + 1)-th
// draw after the seed.
int expectedPick(uint32_t seed, int skip, int n) {
  seedRandom(seed);
  for (int i = 0; i < skip; ++i) drawRandom();
  return (drawRandom() % (3 * n + 1)) % n;
}

TEST_F(ComputerTest, CornerIsTakenFirstAtEveryLevelInCornerOrder) {
  // a1 is the one legal corner, beside bigger captures elsewhere.
  Board b = boardFromText(
      ".XXXXXXO"
      "XX......"
      "X.O....."
      "X......."
      "O......."
      "........"
      "........"
      "........");
  for (int level = 0; level <= 3; ++level) {
    int c = 99, r = 99;
    ASSERT_EQ(chooseMove(b, kWhite, level, &c, &r), 1);
    EXPECT_EQ(c, 0) << "level " << level;
    EXPECT_EQ(r, 0) << "level " << level;
  }
  // All four corners legal: candidates are listed a1, h1, a8, h8, and every
  // one of them is drawn for some seed.
  Board four = boardFromText(
      ".XO..OX."
      "........"
      "........"
      "........"
      "........"
      "........"
      "........"
      ".XO..OX.");
  constexpr int kCornerOrder[4] = {0, 7, 56, 63};
  bool seen[4] = {false, false, false, false};
  for (uint32_t seed = 0; seed < 40; ++seed) {
    int pick = expectedPick(seed, 0, 4);
    seen[pick] = true;
    seedRandom(seed);
    int c = -1, r = -1;
    ASSERT_EQ(pickCorner(four, kWhite, &c, &r), 1);
    EXPECT_EQ(r * 8 + c, kCornerOrder[pick]) << "seed " << seed;
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2] && seen[3]);
}

TEST_F(ComputerTest, StrategiesLeaveTheSquareAloneWhenTheyFindNothing) {
  // White has no legal move at all.
  Board none = boardFromText(
      "XXXX...."
      "........"
      "........"
      "........"
      "........"
      "........"
      "........"
      "....OOOO");
  int c = 42, r = 43;
  seedRandom(5);
  EXPECT_EQ(pickCorner(none, kWhite, &c, &r), 0);
  EXPECT_EQ(pickMostFlips(none, kWhite, &c, &r), 0);
  EXPECT_EQ(pickBestWeight(none, kWhite, &c, &r), kNoMoveWeight);
  EXPECT_EQ(pickEdge(none, kWhite, &c, &r), 0);
  EXPECT_EQ(pickMinReply(none, kWhite, &c, &r), kNoChoiceReply);
  for (int level = 0; level <= 3; ++level) EXPECT_EQ(chooseMove(none, kWhite, level, &c, &r), 0);
  EXPECT_EQ(c, 42);
  EXPECT_EQ(r, 43);
  EXPECT_EQ(randomState(), 5u) << "nothing found, nothing drawn";
}

TEST_F(ComputerTest, MostFlipsTakesTheLargestCaptureAmongTies) {
  // d4 and f5 both capture two; every other white move captures one.
  Board b = boardFromText(
      "........"
      "........"
      "........"
      "....XXO."
      "........"
      "..XX.X.."
      "...O.X.."
      ".....O..");
  FlipScan scans[kSquares];
  scanBoard(b, kWhite, scans);
  int most = 0;
  std::set<int> best;
  for (int i = 0; i < kSquares; ++i) {
    if (scans[i].total > most) {
      most = scans[i].total;
      best.clear();
    }
    if (scans[i].total == most && most > 0) best.insert(i);
  }
  ASSERT_EQ(most, 2);
  std::set<int> seen;
  for (uint32_t seed = 0; seed < 60; ++seed) {
    seedRandom(seed);
    int c = -1, r = -1;
    ASSERT_EQ(pickMostFlips(b, kWhite, &c, &r), 1);
    EXPECT_EQ(scans[r * 8 + c].total, 2);
    seen.insert(r * 8 + c);
  }
  EXPECT_EQ(seen, best);
}

TEST_F(ComputerTest, BestWeightReadsTheMoversOwnWeightTable) {
  setupBoard();
  int c = -1, r = -1;
  EXPECT_EQ(pickBestWeight(matchBoard, kWhite, &c, &r), 0);
  colourWeights[0][43] = 3;   // white's copy only
  colourWeights[1][20] = 6;   // black's copy: must not matter for white
  EXPECT_EQ(pickBestWeight(matchBoard, kWhite, &c, &r), 3);
  EXPECT_EQ(r * 8 + c, 43);
  resetWeightTables();
  EXPECT_EQ(std::memcmp(colourWeights[0], baseWeights, sizeof baseWeights), 0);
  EXPECT_EQ(std::memcmp(colourWeights[1], baseWeights, sizeof baseWeights), 0);
}

TEST_F(ComputerTest, EdgeListsOnlyMovesTurningStonesAlongTheirOwnEdge) {
  // a1 captures right along row 0 and down along column 0, so it is listed
  // twice; e1 captures only downwards and is not an edge move.
  Board b = boardFromText(
      ".XXO...."
      "X...X..."
      "X...O..."
      "O......."
      "X......."
      "O......."
      "........"
      "........");
  FlipScan scans[kSquares];
  scanBoard(b, kWhite, scans);
  ASSERT_NE(scans[0].perDirection[4], 0);
  ASSERT_NE(scans[0].perDirection[6], 0);
  ASSERT_EQ(scans[4].total, 1);  // e1 turns e2, downwards only
  for (uint32_t seed = 0; seed < 40; ++seed) {
    int pick = expectedPick(seed, 0, 2);  // candidates: a1, a1
    seedRandom(seed);
    int c = -1, r = -1;
    ASSERT_EQ(pickEdge(b, kWhite, &c, &r), 1);
    EXPECT_EQ(r * 8 + c, 0) << "seed " << seed << " pick " << pick;
  }
  // Without the corner, e1 alone is no edge move.
  b.cells[0] = kBlack;
  int c = 7, r = 7;
  seedRandom(1);
  EXPECT_EQ(pickEdge(b, kWhite, &c, &r), 0);
  EXPECT_EQ(c, 7);
}

TEST_F(ComputerTest, EdgeTieBreakCountsACornerListedTwice) {
  // Candidates in order: a1 (row test), a1 (column test), h2 (column test).
  Board b = boardFromText(
      ".XXO...."
      "X......."
      "X......X"
      "O......X"
      ".......O"
      "........"
      "........"
      "........");
  FlipScan scans[kSquares];
  scanBoard(b, kWhite, scans);
  ASSERT_NE(scans[at(7, 1)].perDirection[6], 0);
  std::set<int> seen;
  for (uint32_t seed = 0; seed < 80; ++seed) {
    int pick = expectedPick(seed, 0, 3);
    seedRandom(seed);
    int c = -1, r = -1;
    ASSERT_EQ(pickEdge(b, kWhite, &c, &r), 1);
    EXPECT_EQ(r * 8 + c, pick < 2 ? 0 : at(7, 1)) << "seed " << seed;
    seen.insert(r * 8 + c);
  }
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ComputerTest, OpeningTieBreakFavoursTheFirstCandidate) {
  // White's opening at level 3: no corner, no edge; four look-ahead replies
  // and the min-reply pick are drawn first, then the weight pick decides
  // among 20, 29, 34, 43 with r from 0..12.
  setupBoard();
  const int squares[4] = {20, 29, 34, 43};
  int tally[4] = {0, 0, 0, 0};
  for (uint32_t seed = 0; seed < 2000; ++seed) {
    int pick = expectedPick(seed, 5, 4);
    seedRandom(seed);
    int c = -1, r = -1;
    ASSERT_EQ(chooseMove(matchBoard, kWhite, 3, &c, &r), 1);
    ASSERT_EQ(r * 8 + c, squares[pick]) << "seed " << seed;
    ++tally[pick];
  }
  // Over the 13 values of r, four select index 20 and three each other one.
  EXPECT_GT(tally[0], tally[1]);
  EXPECT_GT(tally[0], tally[2]);
  EXPECT_GT(tally[0], tally[3]);
  int c = -1, r = -1;
  EXPECT_EQ(pickMinReply(matchBoard, kWhite, &c, &r), 2) << "black always replies on a 2";
}

// The level-3 comparison, on the opening with tailored weight tables:
// white's table sets w, black's constant table sets every reply value m.
struct ComparisonCase {
  int whiteWeight;   // the weight of every legal white square except e3
  int e3Weight;      // index 20
  int blackWeight;   // every square of black's table
  bool lookAheadWins;
};

TEST_F(ComputerTest, LevelThreeComparesTheReplyAgainstTheBestWeight) {
  const ComparisonCase cases[] = {
      {0, 4, -2, false},   // w = 4, m = -2: 2 > 4 fails, weight move
      {0, 0, -2, true},    // w = 0, m = -2: 2 > 0, look-ahead move
      {-4, -4, 4, false},  // w = -4, m = 4: -4 > -4 fails, weight move
      {0, 0, 8, false},    // every reply reaches 8: no look-ahead choice
  };
  for (const ComparisonCase& k : cases) {
    int differing = 0;
    for (uint32_t seed = 0; seed < 30; ++seed) {
      setupBoard();
      resetWeightTables();
      for (int sq : {29, 34, 43}) colourWeights[0][sq] = k.whiteWeight;
      colourWeights[0][20] = k.e3Weight;
      for (int i = 0; i < kSquares; ++i) colourWeights[1][i] = k.blackWeight;

      // P and Q as the comparison sees them, replayed from the same seed.
      seedRandom(seed);
      int pc = -1, pr = -1, qc = -1, qr = -1;
      int m = pickMinReply(matchBoard, kWhite, &pc, &pr);
      int w = pickBestWeight(matchBoard, kWhite, &qc, &qr);
      ASSERT_EQ(m, k.blackWeight);
      ASSERT_EQ(w, k.e3Weight > k.whiteWeight ? k.e3Weight : k.whiteWeight);

      seedRandom(seed);
      int c = -1, r = -1;
      ASSERT_EQ(chooseMove(matchBoard, kWhite, 3, &c, &r), 1);
      if (k.lookAheadWins) {
        EXPECT_EQ(c, pc);
        EXPECT_EQ(r, pr);
      } else {
        EXPECT_EQ(c, qc);
        EXPECT_EQ(r, qr);
      }
      differing += (pc != qc || pr != qr);
    }
    EXPECT_GT(differing, 0) << "the case must tell P from Q";
  }
}

TEST_F(ComputerTest, MoveLeavingTheOpponentWithoutReplyIsAlwaysChosen) {
  // d4 captures both black stones (e4 across, e5 diagonally); d6 captures
  // one and leaves black a reply.
  Board b = boardFromText(
      "........"
      "........"
      "........"
      "....XO.."
      "....X..."
      ".....O.."
      "........"
      "........");
  int c = -1, r = -1;
  seedRandom(0);
  ASSERT_EQ(pickMinReply(b, kWhite, &c, &r), kNoMoveWeight);
  for (uint32_t seed = 0; seed < 50; ++seed) {
    seedRandom(seed);
    ASSERT_EQ(chooseMove(b, kWhite, 3, &c, &r), 1);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(r, 3);
  }
}

TEST_F(ComputerTest, LevelsRunTheirOwnStrategies) {
  // An edge capture at h3 versus a larger capture at b5:
  // level 0 (corner, most flips) takes the big capture, level 2 the edge.
  Board b = boardFromText(
      "........"
      "........"
      "........"
      "..XXX..X"
      "..XXXO.O"
      "........"
      "........"
      "........");
  for (uint32_t seed = 0; seed < 30; ++seed) {
    int c = -1, r = -1;
    seedRandom(seed);
    ASSERT_EQ(chooseMove(b, kWhite, 0, &c, &r), 1);
    FlipScan s = scanSquare(b, c, r, kWhite);
    EXPECT_EQ(s.total, 3) << "level 0 takes the most stones";
    seedRandom(seed);
    ASSERT_EQ(chooseMove(b, kWhite, 2, &c, &r), 1);
    EXPECT_EQ(c, 7);
    EXPECT_EQ(r, 2) << "level 2 takes the edge capture";
  }
  // No corner, no edge: c3 captures one on a square weighted 2, b5 two on a
  // square weighted 0. Level 0 counts stones, level 1 weighs squares.
  Board inner = boardFromText(
      "........"
      "........"
      "........"
      "...X...."
      "..XXO..."
      "........"
      "........"
      "........");
  int c = -1, r = -1;
  ASSERT_EQ(chooseMove(inner, kWhite, 0, &c, &r), 1);
  EXPECT_EQ(r * 8 + c, 33) << "level 0 takes b5";
  ASSERT_EQ(chooseMove(inner, kWhite, 1, &c, &r), 1);
  EXPECT_EQ(r * 8 + c, 18) << "level 1 takes c3";
}

}  // namespace
