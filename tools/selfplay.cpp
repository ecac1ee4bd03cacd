// Computer-against-computer games on the match board.
#include "tools/selfplay.h"

#include <cstdio>

#include "game/computer.h"
#include "game/random.h"

namespace {
constexpr int kStartupNoiseDraws = 256;  // the synthesiser's noise table at start-up
constexpr int kThinkDelayLow = -200;     // the match draws its thinking delay so
constexpr int kThinkDelayHigh = 0;
}

void startGeneratorAsAfterStartup() {
  seedRandom(0);
  for (int i = 0; i < kStartupNoiseDraws; ++i) drawRandom();
}

void playSelfplayGame(int level, SelfplayGame& game) {
  setupBoard();
  resetWeightTables();
  game.turnCount = 0;
  game.result = -1;
  int side = kWhite;
  while (game.turnCount < kMaxSelfplayTurns) {
    SelfplayTurn& turn = game.turns[game.turnCount++];
    turn.before = matchBoard;
    turn.side = side;
    turn.column = turn.row = -1;
    randomInRange(kThinkDelayLow, kThinkDelayHigh);
    int column = 0, row = 0;
    if (!chooseMove(matchBoard, side, level, &column, &row)) {
      turn.passed = 1;
      side = side == kWhite ? kBlack : kWhite;
      refreshLegalMap(side);
      continue;
    }
    turn.passed = 0;
    turn.column = column;
    turn.row = row;
    Board after;
    applyMove(after, matchBoard, column, row, side);
    matchBoard = after;
    game.result = gameResult();
    if (game.result != -1) break;
    side = side == kWhite ? kBlack : kWhite;
    refreshLegalMap(side);
  }
  game.final = countStones();
}

void formatSelfplayGame(const SelfplayGame& game, char* text, int size) {
  int used = 0;
  for (int i = 0; i < game.turnCount && used < size; ++i) {
    const SelfplayTurn& turn = game.turns[i];
    const char* gap = i == 0 ? "" : " ";
    if (turn.passed)
      used += std::snprintf(text + used, size - used, "%s--", gap);
    else
      used += std::snprintf(text + used, size - used, "%s%c%c", gap, 'a' + turn.column, '1' + turn.row);
  }
  if (used < size) std::snprintf(text + used, size - used, " = %d:%d", game.final.white, game.final.black);
}
