// The trace line: what the game's state is after a frame, in one line.
#include "app/trace_line.h"

#include <cstdio>

#include "game/board.h"
#include "scenes/actors.h"
#include "scenes/buttons.h"
#include "scenes/driver.h"
#include "scenes/face.h"
#include "scenes/keyboard_play.h"
#include "scenes/match.h"

namespace {
// The fields formatted on their own before the line itself.
constexpr int kTracedButtons = 2;  // the first two: Pass and the end card in a match
constexpr int kButtonFieldSize = 8;
constexpr int kWipeFieldSize = 16;
constexpr int kTimeFieldSize = 24;
constexpr int kCursorFieldSize = 16;
const char* const kCardNames[] = {"white", "red"};  // the title's buttons in order
constexpr int kCardNameCount = sizeof kCardNames / sizeof kCardNames[0];

// " cur=..." once keyboard play has shown its mark in this scene: the
// highlighted card on the title, the cursor's square (e3) in a match.
void formatCursorField(char* field, int size, int sceneCode) {
  field[0] = '\0';
  int column = 0, row = 0;
  const int card = highlightedCard();
  if (sceneCode == kSceneTitle && card >= 0 && card < kCardNameCount)
    std::snprintf(field, size, " cur=%s", kCardNames[card]);
  else if (sceneCode == kSceneMatch && boardCursorShown(&column, &row))
    std::snprintf(field, size, " cur=%c%c", 'a' + column, '1' + row);
}
}  // namespace

void formatTraceLine(char* line, int size, int32_t frame, int sceneCode, int32_t elapsedMs, int withTime,
                     const char* sounds) {
  char board[kSquares + 1];
  for (int i = 0; i < kSquares; ++i) board[i] = static_cast<char>('0' + (matchBoard.cells[i] & 7));
  board[kSquares] = '\0';
  char buttons[kTracedButtons][kButtonFieldSize];
  for (int b = 0; b < kTracedButtons; ++b) {
    if (buttonTable[b].inUse) std::snprintf(buttons[b], sizeof buttons[b], "%d", buttonTable[b].state);
    else std::snprintf(buttons[b], sizeof buttons[b], "-");
  }
  char wipe[kWipeFieldSize];
  int32_t wipeX = 0;
  if (wipeRunning(&wipeX)) std::snprintf(wipe, sizeof wipe, "%d", wipeX);
  else std::snprintf(wipe, sizeof wipe, "-");
  char time[kTimeFieldSize] = "";
  if (withTime) std::snprintf(time, sizeof time, " t=%d", elapsedMs);
  char cursor[kCursorFieldSize];
  formatCursorField(cursor, sizeof cursor, sceneCode);
  std::snprintf(line, size,
                "f=%d%s sc=%d ms=%d side=%d hc=%d mood=%d pass=%s end=%s b=%s snd=%s wipe=%s act=%d%s", frame, time,
                sceneCode, matchState, sideToMove, humanColor, faceMood(), buttons[0], buttons[1], board, sounds,
                wipe, liveActorCount(), cursor);
}
