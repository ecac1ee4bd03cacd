// What the page reads of the game to say it in words (page_access.js): the
// scene, the board, whose turn, the last stone placed and how many it
// turned, the passes and the counts. Looked at once a frame and handed over
// only when it changed; nothing here changes the game.
#include <emscripten.h>

#include <cstring>

#include "app/web/shell_web.h"
#include "game/board.h"
#include "scenes/buttons.h"
#include "scenes/driver.h"
#include "scenes/match.h"

namespace {
// The view's fields, in the order page_access.js reads them.
enum ViewField : int {
  kViewScene = 0,
  kViewMatchState,
  kViewSide,
  kViewHuman,
  kViewPassLit,
  kViewWhite,
  kViewRed,
  kViewMoves,       // stones placed since the page opened
  kViewLastSquare,  // the last of them, r * 8 + c; -1 before the first
  kViewLastColour,
  kViewLastTurned,  // the stones it turned
  kViewPasses,      // passes since the page opened
  kViewPassColour,  // who passed last
  kViewCells,
  kViewFields = kViewCells + kSquares,
};
constexpr int32_t kNoSquare = -1;

int32_t view[kViewFields];
int32_t shown[kViewFields];
int viewShown = 0;

int32_t stonesToTurn() {
  int32_t count = 0;
  for (int32_t delay : flipDelayMap)
    if (delay > 0) ++count;
  return count;
}

// A stone was placed this frame: the match went from waiting to turning,
// and one empty square is now taken. The countdowns still hold the stones
// it will turn.
void noteMove() {
  for (int i = 0; i < kSquares; ++i) {
    if (view[kViewCells + i] != kEmpty || matchBoard.cells[i] == kEmpty) continue;
    view[kViewMoves] += 1;
    view[kViewLastSquare] = i;
    view[kViewLastColour] = matchBoard.cells[i];
    view[kViewLastTurned] = stonesToTurn();
    return;
  }
}
}  // namespace

EM_JS(void, pageGameViewChanged, (const int32_t* fields, int count), { PinwickAccess.viewChanged(fields, count); });

void showGameToPage(int sceneCode) {
  const bool inMatch = sceneCode == kSceneMatch && view[kViewScene] == kSceneMatch;
  const int32_t wasState = view[kViewMatchState];
  if (inMatch && wasState == kAwaitingMove && matchState == kStonesTurning) noteMove();
  // The side changed while the match kept waiting: nobody placed a stone.
  if (inMatch && wasState == kAwaitingMove && matchState == kAwaitingMove && sideToMove != view[kViewSide] &&
      sideToMove != 0) {
    view[kViewPasses] += 1;
    view[kViewPassColour] = view[kViewSide];
  }
  if (!viewShown) view[kViewLastSquare] = kNoSquare;
  const StoneCount count = countStones();
  view[kViewScene] = sceneCode;
  view[kViewMatchState] = matchState;
  view[kViewSide] = sideToMove;
  view[kViewHuman] = humanColor;
  // The title's white card shares the Pass button's place in the table.
  view[kViewPassLit] = sceneCode == kSceneMatch && buttonTable[kButtonPass].inUse &&
                       buttonTable[kButtonPass].state == kButtonEnabled;
  view[kViewWhite] = count.white;
  view[kViewRed] = count.black;
  std::memcpy(view + kViewCells, matchBoard.cells, sizeof matchBoard.cells);
  if (viewShown && std::memcmp(view, shown, sizeof view) == 0) return;
  std::memcpy(shown, view, sizeof view);
  viewShown = 1;
  pageGameViewChanged(view, kViewFields);
}
