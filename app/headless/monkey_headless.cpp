// The monkey: random input biased to where things happen, reproducible from
// its seed, and the checks that catch the game in an impossible state.
#include "app/headless/monkey_headless.h"

#include "app/headless/run_headless.h"
#include "app/headless/shell_headless.h"
#include "game/board.h"
#include "host/input.h"
#include "host/message_queue.h"
#include "host/shell.h"
#include "host/window_proc.h"
#include "scenes/actors.h"
#include "scenes/board_geometry.h"
#include "scenes/buttons.h"
#include "scenes/driver.h"
#include "scenes/face.h"
#include "scenes/match.h"

namespace {
// Where the mouse goes, in client pixels.
struct Area {
  int32_t left, top, width, height;
};
constexpr Area kBoardArea = {kBoardLeft, kBoardTop, kBoardPixels, kBoardPixels};
// The end card and the white one.
constexpr Area kLeftCardsArea = {kEndCardLeft, kCardTop, kWhiteCardLeft + kCardWidth - kEndCardLeft, kCardHeight};
constexpr Area kRedCardArea = {kRedCardLeft, kCardTop, kCardWidth, kCardHeight};
constexpr Area kPassArea = {kPassLeft, kPassTop, kPassWidth, kPassHeight};
// The screen and a little outside it.
constexpr int32_t kOutsideMargin = 10;
constexpr Area kAnywhereArea = {-kOutsideMargin, -kOutsideMargin, kScreenWidth + 2 * kOutsideMargin,
                                kScreenHeight + 2 * kOutsideMargin};
constexpr int kMouseAims = 5;
// Rare commands are drawn per this many frames so that whole matches, and
// the closing scenes, happen.
constexpr int kRollRange = 10000;
constexpr int kRestoreOdds = 4;  // one wake-up in this many restores
// The keys of keyboard play, pressed now and then; the roll picks one.
constexpr uint32_t kPlayKeys[] = {kVkLeft, kVkRight, kVkUp, kVkDown, kVkSpace, kVkReturn};
constexpr int kPlayKeyCount = sizeof kPlayKeys / sizeof kPlayKeys[0];

uint32_t monkeyState = 0;
int previousScene = -1;
StoneCount previousCount = {0, 0};
int32_t previousSide = 0;

uint32_t monkeyNext() {
  // xorshift32: its own sequence, so it never moves the game's generator.
  monkeyState ^= monkeyState << 13;
  monkeyState ^= monkeyState >> 17;
  monkeyState ^= monkeyState << 5;
  return monkeyState;
}

int monkeyBelow(int n) { return static_cast<int>(monkeyNext() % static_cast<uint32_t>(n)); }

void pointIn(const Area& area, int32_t* x, int32_t* y) {
  *x = area.left + monkeyBelow(area.width);
  *y = area.top + monkeyBelow(area.height);
}

void monkeyMoveMouse() {
  int32_t x = 0, y = 0;
  switch (monkeyBelow(kMouseAims)) {
    case 0:
    case 1: pointIn(kBoardArea, &x, &y); break;
    case 2: pointIn(monkeyBelow(2) ? kLeftCardsArea : kRedCardArea, &x, &y); break;
    case 3: pointIn(kPassArea, &x, &y); break;
    default: pointIn(kAnywhereArea, &x, &y); break;
  }
  postQueuedMessage(kWmMouseMove, 0, packPoint(x, y));
}
}  // namespace

void startMonkey(uint32_t seed) {
  monkeyState = seed * 2654435761u + 0x9E3779B9u;
  if (monkeyState == 0) monkeyState = 1;
  previousScene = -1;
  if (headlessRun->player) startPlayer(seed);
}

void monkeyFrame() {
  if (headlessRun->player) {
    playerFrame();
    return;
  }
  if (monkeyBelow(3) == 0) monkeyMoveMouse();
  int roll = monkeyBelow(kRollRange);
  if (roll < 1500) {
    postQueuedMessage((inputState.mouseHeld & kMouseLeft) ? kWmLButtonUp : kWmLButtonDown, 0, 0);
  } else if (roll < 2000) {
    postQueuedMessage(kWmKeyDown, kVkZ, 0);
    postQueuedMessage(kWmKeyUp, kVkZ, 0);
  } else if (roll < 2100) {
    postQueuedMessage(kWmRButtonDown, 0, 0);
    postQueuedMessage(kWmRButtonUp, 0, 0);
  } else if (roll < 2102) {
    postQueuedMessage(kWmCommand, kCommandReset, 0);
  } else if (roll < 2106) {
    postQueuedMessage(kWmCommand, kCommandVersion, 0);
  } else if (roll < 2110) {
    shellMinimiseWindow();
  } else if (roll < 2114) {
    setHeadlessAnswer(0);  // close, answered No
    postQueuedMessage(kWmClose, 0, 0);
  } else if (roll < 2116) {
    postQueuedMessage(kWmCommand, kCommandVolume, 0);
  } else if (roll < 2716) {
    const uint32_t key = kPlayKeys[roll % kPlayKeyCount];
    postQueuedMessage(kWmKeyDown, key, 0);
    postQueuedMessage(kWmKeyUp, key, 0);
  }
}

// Mostly mouse moves, and a restore soon enough when minimised.
void monkeyWakeUp() {
  if (headlessRun->player) playerWakeUp();
  else if (headlessMinimised && monkeyBelow(kRestoreOdds) == 0) restoreHeadlessWindow();
  else monkeyMoveMouse();
}

void checkInvariants(int sceneCode) {
  const int32_t frame = headlessFrame;
  headlessResult->invariantChecks += 1;
  if (sceneCode >= 0 && sceneCode < kHeadlessSceneCodes) headlessResult->sceneFrames[sceneCode] += 1;
  for (int i = 0; i < kSquares; ++i) {
    if (matchBoard.cells[i] < 0 || matchBoard.cells[i] > 2) {
      failHeadlessRun(kRunInvariantBroken, "frame %d: square %d holds %d", frame, i, matchBoard.cells[i]);
      return;
    }
  }
  if (sceneCode != kSceneTitle && sceneCode != kSceneMatch && sceneCode != kSceneEnding &&
      sceneCode != kSceneGameOver) {
    failHeadlessRun(kRunInvariantBroken, "frame %d: scene code %d", frame, sceneCode);
    return;
  }
  if (matchState < 0 || matchState > kMatchFinished || sideToMove < 0 || sideToMove > 2 || humanColor < 0 ||
      humanColor > 2 || faceMood() < 0 || faceMood() >= kMoodCount) {
    failHeadlessRun(kRunInvariantBroken, "frame %d: match state %d, side %d, human %d", frame, matchState,
                    sideToMove, humanColor);
    return;
  }
  if (liveActorCount() > kActorSlots) {
    failHeadlessRun(kRunInvariantBroken, "frame %d: %d actors", frame, liveActorCount());
    return;
  }
  for (int b = 0; b < kButtonCount; ++b) {
    if (buttonTable[b].inUse && (buttonTable[b].state < 0 || buttonTable[b].state > 2)) {
      failHeadlessRun(kRunInvariantBroken, "frame %d: button %d in state %d", frame, b, buttonTable[b].state);
      return;
    }
  }
  StoneCount now = countStones();
  if (sceneCode == kSceneMatch && previousScene == kSceneMatch) {
    int dw = now.white - previousCount.white, db = now.black - previousCount.black;
    bool unchanged = dw == 0 && db == 0;
    bool placed = (previousSide == kWhite && dw == 1 && db == 0) || (previousSide == kBlack && dw == 0 && db == 1);
    bool turned = (dw == 1 && db == -1) || (dw == -1 && db == 1);
    if (!unchanged && !placed && !turned) {
      failHeadlessRun(kRunInvariantBroken, "frame %d: stones went from %d:%d to %d:%d", frame, previousCount.white,
                      previousCount.black, now.white, now.black);
      return;
    }
  }
  previousScene = sceneCode;
  previousCount = now;
  previousSide = sideToMove;
  if (headlessRun->player) checkPlayerClicks(sceneCode);
}
