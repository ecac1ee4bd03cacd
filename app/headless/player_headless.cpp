// The player: a monkey that plays like a person. It moves the mouse in
// strokes, clicks the cards, the squares it means (a good line of its own,
// with a slip now and then; now and then by the arrows and Space or Enter
// instead), Pass when it is lit and the end card, presses Z
// while the computer thinks, lingers on the ending and the game-over scene
// and goes back with Reset, and now and then opens a menu, the close box or
// the task bar. Its own sequence is reproducible from the seed and never
// touches the game's generator. After each click it checks that the game
// did what the click asked.
#include <cstdint>

#include "app/headless/monkey_headless.h"
#include "app/headless/player_line_headless.h"
#include "app/headless/run_headless.h"
#include "app/headless/shell_headless.h"
#include "game/board.h"
#include "gfx/gfx.h"
#include "host/message_queue.h"
#include "host/shell.h"
#include "host/window_proc.h"
#include "scenes/board_geometry.h"
#include "scenes/buttons.h"
#include "scenes/driver.h"
#include "scenes/keyboard_play.h"
#include "scenes/match.h"

namespace {
// --- Timing, in frames (or wake-ups while the game waits) ---
constexpr int kStrokeFramesLow = 4, kStrokeFramesHigh = 14;
constexpr int kHoldFramesLow = 1, kHoldFramesHigh = 4;
constexpr int kKeyFramesLow = 2, kKeyFramesHigh = 6;
constexpr int kTitlePauseLow = 30, kTitlePauseHigh = 150;
constexpr int kThinkPauseLow = 8, kThinkPauseHigh = 50;
constexpr int kRetryPauseLow = 15, kRetryPauseHigh = 40;
constexpr int kPassPauseLow = 10, kPassPauseHigh = 60;
constexpr int kEndCardPauseLow = 20, kEndCardPauseHigh = 120;
// The ending's banner comes at its frame 500: the player stays to see it.
constexpr int kEndingStayLow = 600, kEndingStayHigh = 2400;
constexpr int kGameOverStayLow = 150, kGameOverStayHigh = 700;
constexpr int kMinimisedWakeUpsLow = 1, kMinimisedWakeUpsHigh = 40;
constexpr int kJitterPixels = 1;
constexpr int kInsideMargin = 2;  // buttons are strict at their edges

// --- How often, per this many idle frames ---
constexpr int kRollRange = 100000;
constexpr int kRollZ = 500;            // while the computer thinks
constexpr int kRollWander = 150;       // a stroke to somewhere, no click
constexpr int kRollRightClick = 10;
constexpr int kRollMinimise = 5;
constexpr int kRollVersion = 4;
constexpr int kRollCloseBox = 3;
constexpr int kRollExitMenu = 2;
constexpr int kRollVolume = 2;
constexpr int kRollReset = 2;
constexpr int kRollPercent = 100;
constexpr int kBlunderPercent = 12;    // a legal move, but not the chosen one
constexpr int kMisclickPercent = 3;    // any square, legal or not
constexpr int kRedCardPercent = 40;
constexpr int kMinimiseKeyPercent = 50;  // 'M' rather than the title bar
constexpr int kKeyboardMovePercent = 20;  // the chosen square reached by the arrows
constexpr int kEnterPercent = 50;         // Enter rather than Space to play it

// Where the mouse can wander: over the client area and a little outside.
constexpr int32_t kWanderMargin = 10;
constexpr int32_t kWanderLeft = -kWanderMargin, kWanderTop = -kWanderMargin;
constexpr int32_t kWanderWidth = kScreenWidth + 2 * kWanderMargin, kWanderHeight = kScreenHeight + 2 * kWanderMargin;
constexpr int32_t kNoSquare = kPlayerNoSquare;

enum Expect : int32_t { kExpectNothing, kExpectStone, kExpectPass, kExpectScene };

struct Stroke {
  int32_t fromX, fromY, toX, toY;
  int32_t step, steps;
  int32_t click;   // 1: press the left button on arrival
  int32_t square;  // the board square aimed at, or kNoSquare
};

struct Check {
  int32_t kind;
  int32_t frame;   // the frame whose end must show it
  int32_t square;
  int32_t scene;
  int32_t clickFrame;
  int32_t colour;  // the side the click moved for
};

struct Player {
  uint32_t state;
  int32_t mouseX, mouseY;
  int32_t scene;        // as of the last completed frame
  int32_t pause;        // idle frames before the next decision
  int32_t stay;         // frames left in the ending or game over
  int32_t holdLeft;     // frames until the button goes up again
  int32_t keyLeft;      // frames until the key goes up again
  uint32_t keyHeld;
  int32_t minimisedWakeUps;
  int32_t misclicked;   // the last press was a slip: look again before retrying
  int32_t keySquare;    // the square the arrows are taking the cursor to, or kNoSquare
  Stroke stroke;
  Check check;
};

Player player;

uint32_t playerNext() {
  // xorshift32, apart from the monkey's and the game's sequences.
  player.state ^= player.state << 13;
  player.state ^= player.state >> 17;
  player.state ^= player.state << 5;
  return player.state;
}

int playerBelow(int n) { return static_cast<int>(playerNext() % static_cast<uint32_t>(n)); }
int playerBetween(int low, int high) { return low + playerBelow(high - low + 1); }

// --- Hands on the mouse and the keys ---

void moveMouse(int32_t x, int32_t y) {
  player.mouseX = x;
  player.mouseY = y;
  postQueuedMessage(kWmMouseMove, 0, packPoint(x, y));
}

void startStroke(int32_t x, int32_t y, int click, int32_t square) {
  player.stroke = Stroke{player.mouseX, player.mouseY, x, y, 0, playerBetween(kStrokeFramesLow, kStrokeFramesHigh),
                         click, square};
}

int stroking() { return player.stroke.steps > 0; }

void aimAtButton(int index) {
  const Button& b = buttonTable[index];
  const Rect& r = b.sourceRects[kLookNormal];
  const int32_t w = r.right - r.left, h = r.bottom - r.top;
  startStroke(b.x + playerBetween(kInsideMargin, w - kInsideMargin),
              b.y + playerBetween(kInsideMargin, h - kInsideMargin), 1, kNoSquare);
}

void aimAtSquare(int square) {
  const int32_t x = squareLeft(square % kBoardSize) + playerBetween(1, kSquarePixels - 2);
  const int32_t y = squareTop(square / kBoardSize) + playerBetween(1, kSquarePixels - 2);
  startStroke(x, y, 1, square);
}

void pressKey(uint32_t virtualKey) {
  postQueuedMessage(kWmKeyDown, virtualKey, 0);
  player.keyHeld = virtualKey;
  player.keyLeft = playerBetween(kKeyFramesLow, kKeyFramesHigh);
}

void expect(int32_t kind, int32_t framesAhead, int32_t square, int32_t scene) {
  player.check = Check{kind, headlessFrame + framesAhead, square, scene, headlessFrame, sideToMove};
}

// With two players at one mouse (humanColor 0) the player moves for both.
int humanToMove() {
  return matchState == kAwaitingMove && sideToMove != 0 && (humanColor == 0 || sideToMove == humanColor);
}

// Whether a press now lands on the button, by its strict edges.
int mouseOn(int index) {
  const Button& b = buttonTable[index];
  const Rect& r = b.sourceRects[kLookNormal];
  return b.inUse && b.x < player.mouseX && player.mouseX < b.x + (r.right - r.left) && b.y < player.mouseY &&
         player.mouseY < b.y + (r.bottom - r.top);
}

// What the press about to go down must do. Events posted now are handled in
// this frame's wait, the next frame reads them, and a scene that ends on
// them hands over one frame later still.
void expectFromPress() {
  if (player.scene == kSceneTitle) {
    if (mouseOn(kButtonPlayWhite) || mouseOn(kButtonPlayBlack)) expect(kExpectScene, 2, kNoSquare, kSceneMatch);
    return;
  }
  if (player.scene != kSceneMatch) return;
  const int32_t square = player.stroke.square;
  if (square != kNoSquare) {
    if (humanToMove() && scanSquare(matchBoard, square % kBoardSize, square / kBoardSize, sideToMove).total != 0)
      expect(kExpectStone, 1, square, kSceneMatch);
  } else if (humanToMove() && buttonTable[kButtonPass].state == kButtonEnabled && mouseOn(kButtonPass)) {
    expect(kExpectPass, 1, kNoSquare, kSceneMatch);
  } else if (isMatchFinished() && buttonTable[kButtonEndCard].state == kButtonEnabled && mouseOn(kButtonEndCard)) {
    expect(kExpectScene, 2, kNoSquare, finalMargin() > 0 ? kSceneEnding : kSceneGameOver);
  }
}

// One frame of the stroke under way: a step along it, the press on arrival.
void continueStroke() {
  Stroke& s = player.stroke;
  s.step += 1;
  if (s.step >= s.steps) {
    moveMouse(s.toX, s.toY);
    s.steps = 0;
    if (s.click) {
      expectFromPress();
      player.misclicked = s.square != kNoSquare && player.check.kind == kExpectNothing;
      postQueuedMessage(kWmLButtonDown, 0, 0);
      player.holdLeft = playerBetween(kHoldFramesLow, kHoldFramesHigh);
    }
    return;
  }
  const int32_t x = s.fromX + (s.toX - s.fromX) * s.step / s.steps + playerBetween(-kJitterPixels, kJitterPixels);
  const int32_t y = s.fromY + (s.toY - s.fromY) * s.step / s.steps + playerBetween(-kJitterPixels, kJitterPixels);
  moveMouse(x, y);
}

// --- Now and then: menus, the close box, the task bar, stray input ---

int sideAction(int computerThinking) {
  int roll = playerBelow(kRollRange);
  if (computerThinking && (roll -= kRollZ) < 0) {
    pressKey(kVkZ);
    return 1;
  }
  if ((roll -= kRollWander) < 0) {
    startStroke(kWanderLeft + playerBelow(kWanderWidth), kWanderTop + playerBelow(kWanderHeight), 0, kNoSquare);
    return 1;
  }
  if ((roll -= kRollRightClick) < 0) {
    postQueuedMessage(kWmRButtonDown, 0, 0);
    postQueuedMessage(kWmRButtonUp, 0, 0);
    return 1;
  }
  if ((roll -= kRollMinimise) < 0) {
    player.minimisedWakeUps = playerBetween(kMinimisedWakeUpsLow, kMinimisedWakeUpsHigh);
    if (playerBelow(kRollPercent) < kMinimiseKeyPercent) pressKey(kVkM);
    else shellMinimiseWindow();
    return 1;
  }
  if ((roll -= kRollVersion) < 0) {
    postQueuedMessage(kWmCommand, kCommandVersion, 0);
    return 1;
  }
  if ((roll -= kRollCloseBox) < 0) {
    setHeadlessAnswer(0);
    postQueuedMessage(kWmClose, 0, 0);
    return 1;
  }
  if ((roll -= kRollExitMenu) < 0) {
    setHeadlessAnswer(0);
    postQueuedMessage(kWmCommand, kCommandExit, 0);
    return 1;
  }
  if ((roll -= kRollVolume) < 0) {
    postQueuedMessage(kWmCommand, kCommandVolume, 0);
    return 1;
  }
  if ((roll -= kRollReset) < 0 && player.scene == kSceneMatch) {
    postQueuedMessage(kWmCommand, kCommandReset, 0);
    expect(kExpectScene, 1, kNoSquare, kSceneTitle);
    return 1;
  }
  return 0;
}

// One key towards the square the arrows are after: an arrow while the
// cursor is elsewhere, then Space or Enter, which must place the stone when
// the square is legal.
void stepKeyRoute() {
  int column = 0, row = 0;
  boardCursorShown(&column, &row);
  const int32_t target = player.keySquare;
  const int dx = target % kBoardSize - column, dy = target / kBoardSize - row;
  if (dx != 0 || dy != 0) {
    pressKey(dx < 0 ? kVkLeft : dx > 0 ? kVkRight : dy < 0 ? kVkUp : kVkDown);
    return;
  }
  if (scanSquare(matchBoard, column, row, sideToMove).total != 0) expect(kExpectStone, 1, target, kSceneMatch);
  player.misclicked = player.check.kind == kExpectNothing;
  pressKey(playerBelow(kRollPercent) < kEnterPercent ? kVkReturn : kVkSpace);
  player.keySquare = kNoSquare;
}

// --- What a person does next, scene by scene ---

void decideInMatch() {
  if (isMatchFinished() && buttonTable[kButtonEndCard].state == kButtonEnabled) {
    aimAtButton(kButtonEndCard);
    player.pause = playerBetween(kEndCardPauseLow, kEndCardPauseHigh);
    return;
  }
  if (!humanToMove()) {
    player.keySquare = kNoSquare;
    sideAction(matchState == kAwaitingMove);
    return;
  }
  if (player.keySquare != kNoSquare) {
    stepKeyRoute();
    return;
  }
  if (sideAction(0)) return;
  if (buttonTable[kButtonPass].state == kButtonEnabled) {
    aimAtButton(kButtonPass);
    player.pause = playerBetween(kPassPauseLow, kPassPauseHigh);
    return;
  }
  int8_t moves[kSquares];
  const int count = listMoves(matchBoard, sideToMove, moves);
  if (count == 0) return;  // Pass lights up on the next frame
  const int roll = playerBelow(kRollPercent);
  int square;
  if (roll < kMisclickPercent) square = playerBelow(kSquares);
  else if (roll < kMisclickPercent + kBlunderPercent) square = moves[playerBelow(count)];
  else square = choosePlayerSquare(matchBoard, sideToMove);
  if (playerBelow(kRollPercent) < kKeyboardMovePercent) {
    player.keySquare = square;
    return;
  }
  aimAtSquare(square);
  player.pause = playerBetween(player.misclicked ? kRetryPauseLow : kThinkPauseLow,
                               player.misclicked ? kRetryPauseHigh : kThinkPauseHigh);
  player.misclicked = 0;
}

void decide() {
  switch (player.scene) {
    case kSceneTitle:
      if (sideAction(0)) return;
      aimAtButton(playerBelow(kRollPercent) < kRedCardPercent ? kButtonPlayBlack : kButtonPlayWhite);
      player.pause = playerBetween(kTitlePauseLow, kTitlePauseHigh);
      return;
    case kSceneMatch: decideInMatch(); return;
    case kSceneEnding:
    case kSceneGameOver:
      if (player.stay > 0) {
        sideAction(0);
        return;
      }
      postQueuedMessage(kWmCommand, kCommandReset, 0);
      expect(kExpectScene, 1, kNoSquare, kSceneTitle);
      return;
    default: return;  // before the first frame is done
  }
}

void failCheck(const char* what) {
  char square[3] = "";
  if (player.check.square != kNoSquare) {
    square[0] = static_cast<char>('a' + player.check.square % kBoardSize);
    square[1] = static_cast<char>('1' + player.check.square / kBoardSize);
  }
  failHeadlessRun(kRunInvariantBroken, "frame %d: the player's click of frame %d %s%s", headlessFrame,
                  player.check.clickFrame, what, square);
}
}  // namespace

void startPlayer(uint32_t seed) {
  player = Player{};
  player.keySquare = kNoSquare;
  player.state = seed * 2246822519u + 0x85EBCA6Bu;
  if (player.state == 0) player.state = 1;
  player.scene = -1;
}

void playerFrame() {
  if (player.keyLeft > 0 && --player.keyLeft == 0) postQueuedMessage(kWmKeyUp, player.keyHeld, 0);
  if (player.holdLeft > 0) {
    if (--player.holdLeft == 0) postQueuedMessage(kWmLButtonUp, 0, 0);
    return;
  }
  if (player.check.kind != kExpectNothing) return;  // watching what the click does
  if (player.stay > 0) player.stay -= 1;
  if (player.pause > 0) {
    player.pause -= 1;
    return;
  }
  if (stroking()) {
    continueStroke();
    return;
  }
  if (player.keyLeft > 0) return;
  decide();
}

void playerWakeUp() {
  if (headlessMinimised) {
    if (player.minimisedWakeUps > 0) player.minimisedWakeUps -= 1;
    if (player.minimisedWakeUps == 0) {
      restoreHeadlessWindow();
      return;
    }
  }
  // Waiting after the Volume command, or on the task bar: the pointer moves.
  moveMouse(player.mouseX + playerBetween(-kJitterPixels, kJitterPixels),
            player.mouseY + playerBetween(-kJitterPixels, kJitterPixels));
}

void checkPlayerClicks(int sceneCode) {
  if (sceneCode != player.scene) {
    if (sceneCode == kSceneEnding) player.stay = playerBetween(kEndingStayLow, kEndingStayHigh);
    if (sceneCode == kSceneGameOver) player.stay = playerBetween(kGameOverStayLow, kGameOverStayHigh);
    player.scene = sceneCode;
  }
  const Check& c = player.check;
  if (c.kind == kExpectNothing || c.frame > headlessFrame) return;
  switch (c.kind) {
    case kExpectStone:
      if (sceneCode != kSceneMatch || matchBoard.cells[c.square] != c.colour || matchState != kStonesTurning)
        failCheck("made no move on the legal square ");
      break;
    case kExpectPass:
      if (sceneCode != kSceneMatch || sideToMove == c.colour) failCheck("on the lit Pass did not hand the move over");
      break;
    case kExpectScene:
      if (sceneCode != c.scene) failCheck("did not lead to the scene it asked for");
      break;
    default: break;
  }
  player.check = Check{};
}
