#include <gtest/gtest.h>

#include <cstring>

#include "board_text.h"
#include "game/board.h"

namespace {

TEST(CaptureScan, StartingPositionHasFourSingleCapturesForEachColour) {
  setupBoard();
  ASSERT_EQ(refreshLegalMap(kWhite), 1);
  for (int i = 0; i < kSquares; ++i) {
    int expected = (i == 20 || i == 29 || i == 34 || i == 43) ? 1 : 0;
    EXPECT_EQ(legalMap[i], expected) << "white, square " << i;
  }
  ASSERT_EQ(refreshLegalMap(kBlack), 1);
  for (int i = 0; i < kSquares; ++i) {
    int expected = (i == 19 || i == 26 || i == 37 || i == 44) ? 1 : 0;
    EXPECT_EQ(legalMap[i], expected) << "black, square " << i;
  }
}

TEST(CaptureScan, CapturesInEveryDirectionAtOnce) {
  // White at d4 is surrounded by black rings closed by white on all sides.
  Board b = boardFromText(
      "O..O..O."
      ".X.X.X.."
      "..XXX..."
      "OXX.XXXO"
      "..XXX..."
      ".X.X.X.."
      "O..O..O."
      "........");
  FlipScan s = scanSquare(b, 3, 3, kWhite);
  const int expected[kDirections] = {2, 2, 2, 2, 3, 2, 2, 2};
  int sum = 0;
  for (int d = 0; d < kDirections; ++d) {
    EXPECT_EQ(s.perDirection[d], expected[d]) << "direction " << d;
    sum += expected[d];
  }
  EXPECT_EQ(s.total, sum);
}

TEST(CaptureScan, LinesEndingAtEdgeOrEmptySquareCaptureNothing) {
  Board toEdge = boardFromText(
      ".XXXXXXX"
      "........"
      "........"
      "........"
      "........"
      "........"
      "........"
      "........");
  FlipScan s = scanSquare(toEdge, 0, 0, kWhite);
  EXPECT_EQ(s.total, 0);
  Board toGap = boardFromText(
      ".XX.O..."
      "X......."
      "........"
      "O......."
      "........"
      "........"
      "........"
      "........");
  s = scanSquare(toGap, 0, 0, kWhite);
  EXPECT_EQ(s.perDirection[4], 0);
  EXPECT_EQ(s.perDirection[6], 0) << "a gap at a3 breaks the column";
  EXPECT_EQ(s.total, 0);
}

TEST(CaptureScan, WalkNeverWrapsFromOneRowToTheNext) {
  // Row 0 ends in black at h1; the next index (a2) is white. A wrapping walk
  // to the right from e1 would wrongly capture g1 and h1.
  Board b = boardFromText(
      ".....XXX"
      "O......."
      "........"
      "........"
      "........"
      "........"
      "........"
      "........");
  EXPECT_EQ(scanSquare(b, 4, 0, kWhite).total, 0);
  // Corners reach only three directions and stay on the board.
  Board corner = boardFromText(
      "........"
      "........"
      "........"
      "........"
      "........"
      ".....O.O"
      "......XX"
      ".....OX.");
  FlipScan s = scanSquare(corner, 7, 7, kWhite);
  EXPECT_EQ(s.perDirection[0], 1);
  EXPECT_EQ(s.perDirection[1], 1);
  EXPECT_EQ(s.perDirection[3], 1);
  EXPECT_EQ(s.total, 3);
}

TEST(CaptureScan, OccupiedSquareAndOffBoardSquareGiveNineZeros) {
  setupBoard();
  for (int colour : {kWhite, kBlack}) {
    FlipScan s = scanSquare(matchBoard, 3, 3, colour);
    FlipScan off = scanSquare(matchBoard, 8, 0, colour);
    FlipScan zero{};
    EXPECT_EQ(std::memcmp(&s, &zero, sizeof s), 0);
    EXPECT_EQ(std::memcmp(&off, &zero, sizeof off), 0);
  }
}

TEST(CaptureScan, AnyOtherNonZeroValueCountsAsTheOtherColour) {
  Board b{};
  b.cells[at(1, 0)] = 7;
  b.cells[at(2, 0)] = kWhite;
  EXPECT_EQ(scanSquare(b, 0, 0, kWhite).total, 1);
}

TEST(ApplyMove, TurnsExactlyTheCapturedStones) {
  setupBoard();
  Board after;
  ASSERT_EQ(applyMove(after, matchBoard, 4, 2, kWhite), 1);
  Board expected = matchBoard;
  expected.cells[at(4, 2)] = kWhite;
  expected.cells[at(4, 3)] = kWhite;
  EXPECT_EQ(std::memcmp(&after, &expected, sizeof after), 0);

  Board multi = boardFromText(
      "O..O..O."
      ".X.X.X.."
      "..XXX..."
      "OXX.XXXO"
      "..XXX..."
      ".X.X.X.."
      "O..O..O."
      "........");
  Board turned;
  EXPECT_EQ(applyMove(turned, multi, 3, 3, kWhite), 17);
  for (int i = 0; i < kSquares; ++i)
    EXPECT_NE(turned.cells[i], kBlack) << "every black stone lies on a captured line, " << i;
}

TEST(ApplyMove, IllegalMoveLeavesAnExactCopy) {
  setupBoard();
  Board garbage;
  std::memset(&garbage, 0x5A, sizeof garbage);
  EXPECT_EQ(applyMove(garbage, matchBoard, 3, 3, kWhite), 0);  // occupied
  EXPECT_EQ(std::memcmp(&garbage, &matchBoard, sizeof garbage), 0);
  std::memset(&garbage, 0x5A, sizeof garbage);
  EXPECT_EQ(applyMove(garbage, matchBoard, 0, 0, kWhite), 0);  // captures nothing
  EXPECT_EQ(std::memcmp(&garbage, &matchBoard, sizeof garbage), 0);
}

TEST(Countdowns, RunAcrossDirectionsNearestFirst) {
  // Two black stones above d5 and one below, each line closed by white.
  matchBoard = boardFromText(
      "........"
      "...O...."
      "...X...."
      "...X...."
      "........"
      "...X...."
      "...O...."
      "........");
  std::memset(flipDelayMap, 0, sizeof flipDelayMap);
  EXPECT_EQ(scanAndMark(3, 4, kWhite, 1), 3);
  EXPECT_EQ(flipDelayMap[at(3, 3)], 20);
  EXPECT_EQ(flipDelayMap[at(3, 2)], 30);
  EXPECT_EQ(flipDelayMap[at(3, 5)], 40);
  int marked = 0;
  for (int v : flipDelayMap) marked += v != 0;
  EXPECT_EQ(marked, 3);
}

TEST(Countdowns, WithoutMarkTheMapIsUntouchedAndNeverCleared) {
  setupBoard();
  for (int i = 0; i < kSquares; ++i) flipDelayMap[i] = 99;
  EXPECT_EQ(scanAndMark(4, 2, kWhite, 0), 1);
  for (int v : flipDelayMap) EXPECT_EQ(v, 99);
  EXPECT_EQ(scanAndMark(4, 2, kWhite, 1), 1);
  EXPECT_EQ(flipDelayMap[at(4, 3)], 20);
  EXPECT_EQ(flipDelayMap[at(0, 0)], 99) << "scanAndMark writes only captured squares";
}

TEST(GameResult, EndsEveryWayAGameCanEnd) {
  // Full board, 32 each: a draw.
  for (int i = 0; i < kSquares; ++i) matchBoard.cells[i] = i < 32 ? kWhite : kBlack;
  EXPECT_EQ(gameResult(), 0);
  // Full board, white ahead.
  matchBoard.cells[40] = kWhite;
  EXPECT_EQ(gameResult(), 1);
  // One colour wiped out while squares are empty and white could move on.
  matchBoard = boardFromText(
      "OO......"
      "........"
      "........"
      "........"
      "........"
      "........"
      "........"
      "........");
  EXPECT_EQ(gameResult(), 1);
  matchBoard.cells[0] = kBlack;
  matchBoard.cells[1] = kEmpty;
  EXPECT_EQ(gameResult(), 2);
  // Neither side can move though squares are empty.
  matchBoard = boardFromText(
      "OOOOOOOO"
      "OOOOOOOO"
      "OOOOOOOO"
      "OOOOOOO."
      "........"
      "XXXXXXXX"
      "XXXXXXXX"
      "XXXXXXXX");
  EXPECT_EQ(gameResult(), 1);
}

TEST(GameResult, GoesOnAndLeavesTheMapOfTheSideThatWasAsked) {
  setupBoard();
  EXPECT_EQ(gameResult(), -1);
  EXPECT_EQ(legalMap[20], 1) << "white's map after a game that goes on";
  // White has no move, black has one: the map left behind is black's.
  matchBoard = boardFromText(
      "XO.O...."
      "........"
      "........"
      "........"
      "........"
      "........"
      "........"
      "........");
  EXPECT_EQ(gameResult(), -1);
  EXPECT_EQ(legalMap[2], 1);
}

TEST(SetupBoard, ClearsBothMapsAndPlacesTheFourStones) {
  for (int i = 0; i < kSquares; ++i) {
    matchBoard.cells[i] = kBlack;
    legalMap[i] = 5;
    flipDelayMap[i] = 7;
  }
  setupBoard();
  for (int i = 0; i < kSquares; ++i) {
    int expected = (i == 27 || i == 36) ? kWhite : (i == 28 || i == 35) ? kBlack : kEmpty;
    EXPECT_EQ(matchBoard.cells[i], expected);
    EXPECT_EQ(legalMap[i], 0);
    EXPECT_EQ(flipDelayMap[i], 0);
  }
  StoneCount c = countStones();
  EXPECT_EQ(c.white, 2);
  EXPECT_EQ(c.black, 2);
}

}  // namespace
