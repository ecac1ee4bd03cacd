#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/headless/clock_headless.h"
#include "game/computer.h"
#include "game/random.h"
#include "tools/selfplay.h"

namespace {

// Replays a recorded game on a fresh board, checking that every move was
// legal, that a pass happened only without a legal move, and that the game
// ended exactly when the rules say.
void expectLegalGame(const SelfplayGame& game) {
  setupBoard();
  int side = kWhite;
  ASSERT_GT(game.turnCount, 0);
  for (int t = 0; t < game.turnCount; ++t) {
    const SelfplayTurn& turn = game.turns[t];
    ASSERT_EQ(turn.side, side) << "turn " << t;
    ASSERT_EQ(std::memcmp(&turn.before, &matchBoard, sizeof matchBoard), 0) << "turn " << t;
    int any = refreshLegalMap(side);
    if (turn.passed) {
      ASSERT_EQ(any, 0) << "pass with a move available, turn " << t;
      ASSERT_TRUE(t == 0 || !game.turns[t - 1].passed) << "two passes in a row";
    } else {
      Board after;
      ASSERT_GT(applyMove(after, matchBoard, turn.column, turn.row, side), 0) << "turn " << t;
      matchBoard = after;
      bool last = t + 1 == game.turnCount;
      ASSERT_EQ(gameResult() != -1, last) << "turn " << t;
    }
    side = side == kWhite ? kBlack : kWhite;
  }
  StoneCount c = countStones();
  EXPECT_EQ(c.white, game.final.white);
  EXPECT_EQ(c.black, game.final.black);
}

TEST(Selfplay, EveryLevelAndSecondsValuePlaysLegalCompleteGames) {
  static SelfplayGame game;
  for (int level = 0; level <= 3; ++level) {
    for (int seconds : {0, 5, 9}) {
      setHeadlessSeconds(seconds);
      startGeneratorAsAfterStartup();
      for (int g = 0; g < 4; ++g) {
        playSelfplayGame(level, game);
        SCOPED_TRACE("level " + std::to_string(level) + " seconds " + std::to_string(seconds));
        expectLegalGame(game);
      }
    }
  }
  setHeadlessSeconds(-1);
}

TEST(Selfplay, DrawsTheThinkingDelayBeforeEveryChoice) {
  // The first computer turn of a game, replayed by hand: delay draw, then
  // level 3 on the opening (four look-aheads, the min-reply pick, the weight pick).
  setHeadlessSeconds(0);
  startGeneratorAsAfterStartup();
  static SelfplayGame game;
  playSelfplayGame(3, game);

  startGeneratorAsAfterStartup();
  drawRandom();  // randomInRange(-200, 0)
  for (int i = 0; i < 5; ++i) drawRandom();
  int r = drawRandom() % 13;
  const int squares[4] = {20, 29, 34, 43};
  int expected = squares[r % 4];
  EXPECT_EQ(game.turns[0].row * 8 + game.turns[0].column, expected);
  setHeadlessSeconds(-1);
}

TEST(Selfplay, FormatsMovesPassesAndTheScore) {
  static SelfplayGame game;
  game.turnCount = 3;
  game.turns[0] = {Board{}, kWhite, 0, 4, 2};
  game.turns[1] = {Board{}, kBlack, 1, -1, -1};
  game.turns[2] = {Board{}, kWhite, 0, 7, 7};
  game.final = {40, 24};
  char text[512];
  formatSelfplayGame(game, text, sizeof text);
  EXPECT_STREQ(text, "e3 -- h8 = 40:24");
}

}  // namespace
