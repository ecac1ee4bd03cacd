#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/headless/clock_headless.h"
#include "board_text.h"
#include "game/board.h"
#include "game/computer.h"
#include "game/random.h"
#include "host/input.h"
#include "host/input_testing.h"
#include "host/window_proc.h"
#include "scenes/actors.h"
#include "scenes/buttons.h"
#include "scenes/keyboard_play.h"
#include "scenes/match.h"
#include "scenes/match_testing.h"
#include "sound_requests.h"

namespace {

using Sounds = std::vector<std::pair<int, int>>;

class MatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setHeadlessSeconds(0);
    seedRandom(0);
    resetInputState();
    resetMatchModule();
    clearActors();
    layoutMatchButtons();
    takeSoundRequests();
  }
  void TearDown() override {
    setHeadlessSeconds(-1);
    resetInputState();
    clearActors();
  }

  // One frame of the match scene as far as the controller is concerned.
  static void frame() {
    updateInputEdges();
    stepMatch();
    updateActors();
  }

  // A frame in which the left button goes down over the square's centre.
  static void clickSquare(int column, int row) {
    inputState.mouseX = 56 + 6 * column + 3;
    inputState.mouseY = 6 + 6 * row + 3;
    inputState.mouseHeld |= kMouseLeft;
    frame();
    inputState.mouseHeld &= ~kMouseLeft;
  }

  static void clickAt(int x, int y) {
    inputState.mouseX = x;
    inputState.mouseY = y;
    inputState.mouseHeld |= kMouseLeft;
    frame();
    inputState.mouseHeld &= ~kMouseLeft;
  }

  // The live actors of a kind, as (x, y) pairs.
  static std::vector<std::pair<int, int>> actorsOfKind(int kind) {
    std::vector<std::pair<int, int>> found;
    for (const Actor& a : actorTable)
      if (a.inUse && a.kind == kind) found.push_back({a.x, a.y});
    return found;
  }
};

TEST_F(MatchTest, HumanMovePlacesAStoneWithABurstAndASound) {
  resetMatch(kWhite);
  EXPECT_EQ(buttonTable[kButtonPass].state, kButtonDisabled);
  clickSquare(4, 2);
  EXPECT_EQ(matchBoard.cells[20], kWhite) << "the placed stone is on the board at once";
  EXPECT_EQ(matchBoard.cells[28], kBlack) << "the captured one turns later";
  EXPECT_EQ(matchState, kStonesTurning);
  EXPECT_EQ(takeSoundRequests(), (Sounds{{1, 1}}));
  auto bursts = actorsOfKind(kRingBurst);
  ASSERT_EQ(bursts.size(), 1u);
  EXPECT_EQ(bursts[0], std::make_pair((59 + 24) * 512, (9 + 12) * 512));
}

TEST_F(MatchTest, IllegalClicksBeepAndChangeNothing) {
  resetMatch(kWhite);
  Board before = matchBoard;
  clickSquare(3, 3);  // occupied
  frame();            // the button comes up again
  clickSquare(0, 0);  // empty, captures nothing
  EXPECT_EQ(takeSoundRequests(), (Sounds{{4, 1}, {4, 1}}));
  for (auto [x, y] : {std::make_pair(104, 20), std::make_pair(80, 54), std::make_pair(55, 20)}) {
    frame();
    clickAt(x, y);  // just off the board on three sides
  }
  EXPECT_EQ(takeSoundRequests(), Sounds{});
  EXPECT_EQ(std::memcmp(&before, &matchBoard, sizeof before), 0);
  EXPECT_EQ(matchState, kAwaitingMove);
  EXPECT_EQ(liveActorCount(), 0);
}

TEST_F(MatchTest, SpacePlaysTheCursorsSquareOnlyInKeyboardPlayAndOnlyItsCaptures) {
  // As on Windows: Enter sets no bit, Space plays nothing.
  windowProcedure(kWmKeyDown, kVkReturn, 0);
  EXPECT_EQ(inputState.keysHeld & kKeyEnter, 0);
  resetMatch(kWhite);
  inputKeyDown(kKeySpace);
  frame();
  inputKeyUp(kKeySpace);
  EXPECT_EQ(matchState, kAwaitingMove);
  EXPECT_EQ(takeSoundRequests(), Sounds{});

  setKeyboardPlay(1);
  windowProcedure(kWmKeyDown, kVkReturn, 0);
  EXPECT_EQ(inputState.keysHeld & kKeyEnter, kKeyEnter);
  resetMatch(kWhite);
  int column = -1, row = -1;
  EXPECT_EQ(boardCursorShown(&column, &row), 0) << "hidden until a key is pressed";
  inputState.mouseX = 56 + 6 * 2 + 3;  // hovering c5, which would take d5
  inputState.mouseY = 6 + 6 * 4 + 3;
  frame();  // Enter was pressed before the match: its edge
  EXPECT_EQ(matchBoard.cells[20], kWhite) << "e3, the first legal square in reading order";
  EXPECT_EQ(flipDelayMap[28], 20);
  EXPECT_EQ(flipDelayMap[35], 0) << "the hovered square's captures are not this move's";
  EXPECT_EQ(takeSoundRequests(), (Sounds{{1, 1}}));
  ASSERT_EQ(boardCursorShown(&column, &row), 1);
  EXPECT_EQ(std::make_pair(column, row), std::make_pair(4, 2));
}

TEST_F(MatchTest, HoveringMarksCountdownsOnlyForTheFrame) {
  resetMatch(kWhite);
  inputState.mouseX = 56 + 6 * 4 + 1;
  inputState.mouseY = 6 + 6 * 2 + 1;
  frame();
  EXPECT_EQ(flipDelayMap[28], 20);
  inputState.mouseX = 0;
  frame();
  EXPECT_EQ(flipDelayMap[28], 0);
  EXPECT_EQ(matchState, kAwaitingMove);
}

TEST_F(MatchTest, ThreeCapturedStonesTurnAtTwentyThirtyAndFortyFrames) {
  resetMatch(kWhite);
  matchBoard = boardFromText(
      "........"
      "........"
      "........"
      "OXXX...."
      "...XO..."
      "........"
      "........"
      "........");
  clickSquare(4, 3);  // e4 captures b4, c4, d4 to the left
  takeSoundRequests();
  std::vector<int> turnedAt;
  int handedOverAt = -1;
  for (int f = 1; f <= 45; ++f) {
    frame();
    Sounds s = takeSoundRequests();
    if (!s.empty()) {
      EXPECT_EQ(s, (Sounds{{2, 1}})) << "frame " << f;
      turnedAt.push_back(f);
    }
    if (handedOverAt < 0 && matchState == kAwaitingMove) handedOverAt = f;
  }
  EXPECT_EQ(turnedAt, (std::vector<int>{20, 30, 40}));
  EXPECT_EQ(handedOverAt, 40);
  EXPECT_EQ(sideToMove, kBlack);
  for (int c = 0; c <= 4; ++c) EXPECT_EQ(matchBoard.cells[at(c, 3)], kWhite);
}

TEST_F(MatchTest, ComputerRepliesAfterOneHundredAndOneFramesThenFiftyOneToTwoHundredFiftyOne) {
  resetMatch(kBlack);  // the computer plays white and moves first
  int frames = 0;
  while (matchState == kAwaitingMove && frames < 1000) {
    frame();
    ++frames;
  }
  EXPECT_EQ(frames, 101);
  EXPECT_EQ(takeSoundRequests(), (Sounds{{1, 1}}));
  int delay = thinkCounter;
  EXPECT_GE(delay, -200);
  EXPECT_LE(delay, 0);

  // Let the stone turn, answer as the human with the first legal square,
  // then time the computer's second turn.
  while (matchState != kAwaitingMove) frame();
  ASSERT_EQ(sideToMove, kBlack);
  int square = 0;
  while (legalMap[square] == 0) ++square;
  clickSquare(square % 8, square / 8);
  while (matchState != kAwaitingMove) frame();
  ASSERT_EQ(sideToMove, kWhite);
  int thinking = 0;
  while (matchState == kAwaitingMove && thinking < 1000) {
    frame();
    ++thinking;
  }
  EXPECT_EQ(thinking, 51 - delay);
}

TEST_F(MatchTest, TheZKeyMakesTheComputerMoveAtOnce) {
  resetMatch(kBlack);
  frame();
  frame();
  EXPECT_EQ(matchState, kAwaitingMove);
  inputState.keysHeld |= kKeyZ;
  frame();
  EXPECT_EQ(matchState, kStonesTurning);
  EXPECT_EQ(takeSoundRequests(), (Sounds{{1, 1}}));
  inputState.keysHeld &= ~kKeyZ;
}

// White can play d1 (capturing c1); black has no move at all.
const char* const kBlackCannotMove =
    "OOX....."
    "........"
    "........"
    "........"
    "........"
    "........"
    "........"
    "........";

TEST_F(MatchTest, PassingLightsTheButtonAndOnlyTheSingleHumanHearsIt) {
  resetMatch(kBlack);
  matchBoard = boardFromText(kBlackCannotMove);
  sideToMove = kWhite;
  switchSide();
  EXPECT_EQ(sideToMove, kBlack);
  EXPECT_EQ(buttonTable[kButtonPass].state, kButtonEnabled);
  EXPECT_EQ(takeSoundRequests(), (Sounds{{3, 1}}));

  resetMatch(0);  // two humans
  matchBoard = boardFromText(kBlackCannotMove);
  sideToMove = kWhite;
  switchSide();
  EXPECT_EQ(buttonTable[kButtonPass].state, kButtonEnabled);
  EXPECT_EQ(takeSoundRequests(), Sounds{});

  // The Pass click hands the turn back to a side that can move.
  switchSide();
  EXPECT_EQ(sideToMove, kWhite);
  EXPECT_EQ(buttonTable[kButtonPass].state, kButtonDisabled);
  EXPECT_EQ(legalMap[3], 1);
}

TEST_F(MatchTest, TheComputerPassesSilentlyAfterItsDelay) {
  resetMatch(kWhite);  // the computer plays black
  matchBoard = boardFromText(kBlackCannotMove);
  sideToMove = kBlack;
  int frames = 0;
  while (sideToMove == kBlack && frames < 1000) {
    frame();
    ++frames;
  }
  EXPECT_EQ(frames, 101);
  EXPECT_EQ(matchState, kAwaitingMove);
  EXPECT_EQ(takeSoundRequests(), Sounds{});
  EXPECT_EQ(buttonTable[kButtonPass].state, kButtonDisabled);
  EXPECT_EQ(liveActorCount(), 0);
}

TEST_F(MatchTest, FinishedGamePausesThenGathersTheStones) {
  resetMatch(kWhite);
  // White's b1 takes the last black stone: the game ends 12 to 0.
  matchBoard = boardFromText(
      "O.XO...."
      "........"
      "........"
      "OOOOOOOO"
      "........"
      "........"
      "........"
      "........");
  clickSquare(1, 0);
  ASSERT_EQ(matchState, kStonesTurning);
  takeSoundRequests();
  int f = 0;
  while (matchState == kStonesTurning) {
    frame();
    ++f;
  }
  EXPECT_EQ(f, 20);
  EXPECT_EQ(matchState, kEndPause);
  EXPECT_EQ(sideToMove, kWhite) << "the last mover is still shown during the pause";
  EXPECT_EQ(buttonTable[kButtonPass].state, kButtonDisabled);
  EXPECT_EQ(faceMood(), 2);
  int pause = 0;
  while (matchState == kEndPause) {
    frame();
    ++pause;
  }
  EXPECT_EQ(pause, 51);
  EXPECT_EQ(sideToMove, 0);

  std::vector<int> steps;
  int t = 0;
  takeSoundRequests();
  while (matchState == kEndCount && t < 2000) {
    frame();
    ++t;
    Sounds s = takeSoundRequests();
    if (!s.empty()) {
      EXPECT_EQ(s, (Sounds{{5, 1}}));
      steps.push_back(t);
    }
  }
  ASSERT_FALSE(steps.empty());
  for (size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(steps[i], 11 * static_cast<int>(i + 1));
  EXPECT_EQ(t, steps.back() + 11) << "the completing step comes 11 frames after the last move";
  EXPECT_EQ(matchState, kMatchFinished);
  EXPECT_EQ(isMatchFinished(), 1);
  StoneCount c = countStones();
  for (int i = 0; i < kSquares; ++i) EXPECT_EQ(matchBoard.cells[i], i < c.white ? kWhite : kEmpty) << i;
  EXPECT_EQ(finalMargin(), c.white);
  EXPECT_EQ(faceMood(), 4);
}

TEST_F(MatchTest, EndCountGathersEachColourAtItsEnd) {
  struct Finish {
    int white, black;
  } finishes[] = {{40, 24}, {30, 20}, {0, 10}, {64, 0}};
  for (const Finish& fin : finishes) {
    // Scatter the stones: a fixed interleaving of both colours and gaps.
    for (int i = 0; i < kSquares; ++i) matchBoard.cells[i] = kEmpty;
    int w = fin.white, b = fin.black;
    for (int i = 0; i < kSquares && (w > 0 || b > 0); ++i) {
      int sq = (i * 37) % kSquares;
      if ((i % 2 == 0 && w > 0) || b == 0) {
        matchBoard.cells[sq] = kWhite;
        --w;
      } else {
        matchBoard.cells[sq] = kBlack;
        --b;
      }
    }
    endStepTimer = 0;
    int frames = 0;
    while (!endCountStep() && frames < 5000) ++frames;
    for (int i = 0; i < kSquares; ++i) {
      int expected = i < fin.white ? kWhite : i >= kSquares - fin.black ? kBlack : kEmpty;
      ASSERT_EQ(matchBoard.cells[i], expected) << fin.white << ":" << fin.black << " square " << i;
    }
    EXPECT_EQ(endStepTimer, 0);
  }
}

TEST_F(MatchTest, FaceMoodFollowsTheSituation) {
  resetMatch(kWhite);
  EXPECT_EQ(faceMood(), 0);
  sideToMove = kBlack;
  EXPECT_EQ(faceMood(), 2);
  matchState = kStonesTurning;
  EXPECT_EQ(faceMood(), 3);
  sideToMove = kWhite;
  EXPECT_EQ(faceMood(), 1);
  matchState = kEndCount;
  EXPECT_EQ(faceMood(), 2);
  matchState = kMatchFinished;
  setupBoard();
  EXPECT_EQ(faceMood(), 6);
  EXPECT_EQ(finalMargin(), 0);
  matchBoard.cells[0] = kBlack;
  EXPECT_EQ(faceMood(), 5);
  EXPECT_EQ(finalMargin(), -1);
  humanColor = kBlack;
  EXPECT_EQ(faceMood(), 4);
  EXPECT_EQ(finalMargin(), 1);
  humanColor = 0;
  for (int state = kAwaitingMove; state <= kMatchFinished; ++state) {
    matchState = state;
    EXPECT_EQ(faceMood(), 0);
    EXPECT_EQ(finalMargin(), 0);
  }
}

TEST_F(MatchTest, AWholeScriptedMatchAgainstTheComputerObeysTheRules) {
  for (int human : {kWhite, kBlack}) {
    SCOPED_TRACE("human plays " + std::to_string(human));
    resetMatch(human);
    Board replay = matchBoard;
    int frames = 0;
    while (matchState != kMatchFinished && frames < 100000) {
      Board before = matchBoard;
      int mover = sideToMove;
      bool humanTurn = matchState == kAwaitingMove && sideToMove == human;
      if (humanTurn && buttonTable[kButtonPass].state == kButtonEnabled) {
        switchSide();  // the Pass button's click
      } else if (humanTurn) {
        int square = 0;
        while (square < kSquares && legalMap[square] == 0) ++square;
        ASSERT_LT(square, kSquares);
        clickSquare(square % 8, square / 8);
      } else {
        frame();
      }
      ++frames;
      // Whenever a stone was placed, the rules' own move gives the board the
      // staged turning must reach.
      for (int i = 0; i < kSquares; ++i) {
        if (before.cells[i] == kEmpty && matchBoard.cells[i] != kEmpty && matchState == kStonesTurning) {
          Board next;
          ASSERT_GT(applyMove(next, replay, i % 8, i / 8, mover), 0) << "illegal move at " << i;
          replay = next;
        }
      }
      if (matchState == kEndPause) {
        ASSERT_EQ(std::memcmp(&replay, &matchBoard, sizeof replay), 0);
      }
    }
    ASSERT_EQ(matchState, kMatchFinished);
    StoneCount c = countStones();
    int white = 0, black = 0;
    for (int v : replay.cells) {
      white += v == kWhite;
      black += v == kBlack;
    }
    EXPECT_EQ(c.white, white);
    EXPECT_EQ(c.black, black);
    int margin = human == kWhite ? white - black : black - white;
    EXPECT_EQ(finalMargin(), margin);
  }
}

}  // namespace
