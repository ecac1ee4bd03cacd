// Human clicks, the computer's thinking delay, staged flips, passing, the end
// pause and the gathering of the stones.
#include "scenes/match.h"

#include <cstring>

#include "game/board.h"
#include "game/computer.h"
#include "game/random.h"
#include "host/input.h"
#include "scenes/actors.h"
#include "scenes/board_geometry.h"
#include "scenes/board_view.h"
#include "scenes/buttons.h"
#include "scenes/keyboard_play.h"
#include "scenes/match_testing.h"
#include "sound/bank.h"
#include "sound/sound_slots.h"

int32_t matchState = 0;  // no match yet
int32_t sideToMove = 0;
int32_t humanColor = 0;
int32_t computerLevel = 0;
int32_t thinkCounter = -50;
int32_t endPauseCounter = 0;
int32_t endStepTimer = 0;

namespace {
int32_t chosenLevel = kMatchLevel;
int sharedMouse = 0;

constexpr int32_t kInitialThinkCounter = -50;
constexpr int32_t kThinkFrames = 50;          // a turn lasts until the counter passes this
constexpr int32_t kThinkDelayLow = -200;
constexpr int32_t kThinkDelayHigh = 0;
constexpr int32_t kEndPauseFrames = 50;
constexpr int32_t kEndStepFrames = 10;

void spawnAtSquare(int kind, int index) {
  spawnActor(kind, 0, squareCentreX(index % kBoardSize) * kFixedOne, squareCentreY(index / kBoardSize) * kFixedOne);
}

void placeStone(int column, int row) {
  matchBoard.cells[row * kBoardSize + column] = sideToMove;
  spawnAtSquare(kRingBurst, row * kBoardSize + column);
  playSound(kSoundPlaced, kPlayOnce);
}

// The human's square, clicked or picked by key: nothing but a sound unless
// it captures.
int playHumanSquare(int column, int row, int captured) {
  if (captured == 0) {
    playSound(kSoundIllegal, kPlayOnce);
    return 0;
  }
  placeStone(column, row);
  return 1;
}

int humanIsToMove() { return humanColor == 0 || humanColor == sideToMove; }
}  // namespace

void setMatchOptions(int level, int twoPlayers) {
  chosenLevel = level >= 0 && level <= kMatchLevel ? level : kMatchLevel;
  sharedMouse = twoPlayers ? 1 : 0;
}

int resetMatch(int human) {
  setupBoard();
  computerLevel = chosenLevel;
  sideToMove = kWhite;
  humanColor = sharedMouse ? 0 : human;
  matchState = kAwaitingMove;
  setButtonState(kButtonPass, kButtonDisabled);
  resetWeightTables();
  resetBoardCursor();
  const int any = refreshLegalMap(kWhite);
  if (humanIsToMove()) placeCursorOnLegalSquare();
  return any;
}

int humanMove() {
  std::memset(flipDelayMap, 0, sizeof flipDelayMap);
  int keyColumn = 0, keyRow = 0;
  const int byKey = stepBoardCursor(&keyColumn, &keyRow);
  int column = 0, row = 0;
  if (boardSquareAt(inputState.mouseX, inputState.mouseY, &column, &row)) {
    // Marks the hovered square's countdowns every frame; cleared again next
    // frame unless the move is made now.
    int captured = scanAndMark(column, row, sideToMove, 1);
    if (inputState.mousePressed & kMouseLeft) return playHumanSquare(column, row, captured);
  }
  if (!byKey) return 0;
  std::memset(flipDelayMap, 0, sizeof flipDelayMap);  // the hovered square's marks are not this move's
  return playHumanSquare(keyColumn, keyRow, scanAndMark(keyColumn, keyRow, sideToMove, 1));
}

int computerMove() {
  std::memset(flipDelayMap, 0, sizeof flipDelayMap);
  thinkCounter += 1;
  if (thinkCounter <= kThinkFrames && (inputState.keysPressed & kKeyZ) == 0) return 0;
  thinkCounter = randomInRange(kThinkDelayLow, kThinkDelayHigh);
  int column = 0, row = 0;
  if (!chooseMove(matchBoard, sideToMove, computerLevel, &column, &row)) {
    switchSide();
    return 0;
  }
  scanAndMark(column, row, sideToMove, 1);
  placeStone(column, row);
  return 1;
}

int advanceFlips() {
  int done = 1;
  for (int i = 0; i < kSquares; ++i) {
    if (flipDelayMap[i] == 0) continue;
    flipDelayMap[i] -= 1;
    if (flipDelayMap[i] == 0) {
      matchBoard.cells[i] = sideToMove;
      spawnAtSquare(kSmallRingBurst, i);
      playSound(kSoundTurned, kPlayOnce);
    } else if (flipDelayMap[i] > 0) {
      done = 0;
    }
  }
  return done;
}

void switchSide() {
  if (sideToMove == kWhite) sideToMove = kBlack;
  else if (sideToMove == kBlack) sideToMove = kWhite;
  int any = refreshLegalMap(sideToMove);
  if (humanIsToMove()) placeCursorOnLegalSquare();
  if (humanColor == 0 && any == 0) {
    setButtonState(kButtonPass, kButtonEnabled);
  } else if (sideToMove == humanColor && any == 0) {
    setButtonState(kButtonPass, kButtonEnabled);
    playSound(kSoundMustPass, kPlayOnce);
  } else {
    setButtonState(kButtonPass, kButtonDisabled);
  }
}

int endCountStep() {
  if (endStepTimer < kEndStepFrames) {
    endStepTimer += 1;
    return 0;
  }
  endStepTimer = 0;
  int32_t* cells = matchBoard.cells;

  // White gathers from index 0 upwards.
  int i = 0;
  while (i < kSquares && cells[i] == kWhite) ++i;
  int j = i;
  while (j < kSquares && cells[j] != kWhite) ++j;
  bool whiteComplete = i == kSquares || j == kSquares;
  if (!whiteComplete) {
    cells[j] = cells[i];
    cells[i] = kWhite;
    spawnAtSquare(kRingBurst, i);
  }

  // Black gathers from index 63 downwards, on the board white's step left.
  i = kSquares - 1;
  while (i >= 0 && cells[i] == kBlack) --i;
  j = i;
  while (j >= 0 && cells[j] != kBlack) --j;
  bool blackComplete = i < 0 || j < 0;
  if (!blackComplete) {
    cells[j] = cells[i];
    cells[i] = kBlack;
    spawnAtSquare(kRingBurst, i);
  }

  if (whiteComplete && blackComplete) {
    endStepTimer = 0;
    return 1;
  }
  playSound(kSoundGathered, kPlayOnce);
  return 0;
}

void stepMatch() {
  switch (matchState) {
    case kAwaitingMove: {
      if (humanIsToMove() ? humanMove() : computerMove()) {
        setButtonState(kButtonPass, kButtonDisabled);
        matchState = kStonesTurning;
      }
      break;
    }
    case kStonesTurning:
      if (!advanceFlips()) break;
      if (gameResult() == -1) {
        switchSide();
        matchState = kAwaitingMove;
      } else {
        setButtonState(kButtonPass, kButtonDisabled);
        matchState = kEndPause;
        endPauseCounter = 0;
      }
      break;
    case kEndPause:
      endPauseCounter += 1;
      if (endPauseCounter > kEndPauseFrames) {
        matchState = kEndCount;
        sideToMove = 0;
      }
      break;
    case kEndCount:
      if (endCountStep()) matchState = kMatchFinished;
      break;
    default:
      break;
  }
}

int faceMood() {
  if (humanColor == 0) return kMoodHumanToMove;
  switch (matchState) {
    case kAwaitingMove: return sideToMove == humanColor ? kMoodHumanToMove : kMoodComputerThinks;
    case kStonesTurning: return sideToMove == humanColor ? kMoodHumanStonesTurn : kMoodComputerStonesTurn;
    case kEndPause:
    case kEndCount: return kMoodComputerThinks;
    case kMatchFinished: {
      int margin = finalMargin();
      return margin == 0 ? kMoodDraw : margin > 0 ? kMoodHumanWon : kMoodHumanLost;
    }
    default: return kMoodHumanToMove;
  }
}

int isMatchFinished() { return matchState == kMatchFinished ? 1 : 0; }

int finalMargin() {
  StoneCount count = countStones();
  if (humanColor == kWhite) return count.white - count.black;
  if (humanColor == kBlack) return count.black - count.white;
  return 0;
}

void resetMatchModule() {
  chosenLevel = kMatchLevel;
  sharedMouse = 0;
  matchState = 0;
  sideToMove = 0;
  humanColor = 0;
  computerLevel = 0;
  thinkCounter = kInitialThinkCounter;
  endPauseCounter = 0;
  endStepTimer = 0;
}
