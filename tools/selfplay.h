// Whole games between two computer players, played exactly as a match plays
// the computer's turns: the thinking delay is drawn before every choice.
#pragma once
#include "game/board.h"

// Every turn fills a square or passes, and two passes never follow each
// other, so a game has at most 60 moves and 60 passes.
constexpr int kMaxSelfplayTurns = 128;

struct SelfplayTurn {
  Board before;  // the position the mover faced
  int side;
  int passed;    // 1 when the side had no move
  int column;
  int row;
};

struct SelfplayGame {
  SelfplayTurn turns[kMaxSelfplayTurns];
  int turnCount;
  StoneCount final;
  int result;  // as gameResult: 0 drawn, 1 white ahead, 2 black ahead
};

// Seeds the generator as the game finds it after start-up: 256 draws after seed 0.
void startGeneratorAsAfterStartup();

// Plays one game on matchBoard from the starting position, white first.
void playSelfplayGame(int level, SelfplayGame& game);

// "e3 f4 -- ... = W:B" into text (at least 512 bytes).
void formatSelfplayGame(const SelfplayGame& game, char* text, int size);
