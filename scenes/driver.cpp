// Asset loading and the four scene loops, each frame in a fixed order:
// input, logic, drawing back to front, the frame wait, then reactions.
#include "scenes/driver.h"

#include "host/frame.h"
#include "host/input.h"
#include "host/shell.h"
#include "host/window_proc.h"
#include "scenes/actors.h"
#include "scenes/board_view.h"
#include "scenes/buttons.h"
#include "scenes/face.h"
#include "scenes/match.h"
#include "scenes/picture_slots.h"
#include "scenes/screen_effects.h"
#include "sound/bank.h"
#include "sound/voices.h"

int32_t chosenColor = 1;

namespace {
struct PictureLoad {
  const char* resource;
  int slot;
};

// Loaded in this order; "Loading" (slot 0) comes earlier, from start-up.
constexpr PictureLoad kPictures[] = {
    {"Copy", kSlotCopy},           {"numWhite", kSlotNumWhite},   {"numRed", kSlotNumRed},
    {"GameOver", kSlotGameOver},   {"Face", kSlotFace},           {"Title", kSlotTitle},
    {"Stone_s", kSlotStones},      {"Effect_s", kSlotEffects},    {"turnNone_s", kSlotEndCard},
    {"turnWhite_s", kSlotWhiteCard}, {"turnBlack_s", kSlotRedCard}, {"Pass_s", kSlotPass},
    {"back_s", kSlotBackground},
};

constexpr int kSoundLeaveScene = 6;
constexpr int kSoundEndingTune = 7;

constexpr int32_t kCentreX = 40960;       // pixel 80
constexpr int32_t kCentreY = 15360;       // pixel 30
constexpr int32_t kCreditY = 24576;       // pixel 48
constexpr int kFlyingStonesPerFlock = 8;
constexpr int32_t kEndingBannerFrame = 500;
constexpr uint32_t kEndingBackground = 0x200404;  // a very dark blue, 0x00BBGGRR

// After the frame wait: Esc ends the program, Reset goes back to the title.
// Returns the scene to go to, or -1 to stay.
int escapeOrReset() {
  if (inputState.keysHeld & kKeyEsc) return kSceneEnd;
  if (resetRequested) return kSceneTitle;
  return -1;
}

void sampleInput() {
  updateInputEdges();
  readMousePosition(&inputState.mouseX, &inputState.mouseY);
}
}  // namespace

void loadGameAssets() {
  for (const PictureLoad& p : kPictures) loadBitmap(p.resource, p.slot);
  createBlankSurface(kScreenWidth, kScreenHeight, kSlotSnapshot);
  for (const SoundRun& run : kShippedSounds)
    createSynthSound(&kShippedVoices[run.firstVoice], run.voiceCount, run.slot);
}

int runSceneDriver(GfxWindow window) {
  loadGameAssets();
  clearActors();
  clearWipe();
  int code = kSceneTitle;
  for (;;) {
    switch (code) {
      case kSceneTitle: code = runTitleScene(window); break;
      case kSceneMatch: code = runMatchScene(window); break;
      case kSceneEnding: code = runEndingScene(window); break;
      case kSceneGameOver: code = runGameOverScene(window); break;
      default: return 1;
    }
  }
}

int runTitleScene(GfxWindow window) {
  clearActors();
  layoutTitleButtons();
  spawnActor(kTitleEmblem, 0, kCentreX, kCentreY);
  spawnActor(kCreditCaption, 0, kCentreX, kCreditY);
  clearBlink();
  resetRequested = 0;
  for (;;) {
    sampleInput();
    updateActors();
    updateWipe();
    updateScreenEffects();
    updateButtonLooks();
    drawBackground();
    drawButtons();
    drawActors(0, 0);
    drawWipe();
    drawScreenEffects();
    if (!waitFrame(window)) return kSceneEnd;
    int next = -1;
    switch (clickedButton()) {
      case kButtonPlayWhite: chosenColor = 1; next = kSceneMatch; break;
      case kButtonPlayBlack: chosenColor = 2; next = kSceneMatch; break;
      default: break;
    }
    if (next == kSceneMatch) {
      startWipe();
      playSound(kSoundLeaveScene, kPlayOnce);
    } else {
      next = escapeOrReset();
    }
    shellFrameDone(kSceneTitle);
    if (next >= 0) return next;
  }
}

int runMatchScene(GfxWindow window) {
  layoutMatchButtons();
  setButtonState(kButtonEndCard, kButtonDisabled);
  resetMatch(chosenColor);
  resetFace();
  clearActors();
  clearBlink();
  resetRequested = 0;
  for (;;) {
    sampleInput();
    stepMatch();
    updateActors();
    updateWipe();
    updateScreenEffects();
    updateButtonLooks();
    updateFace();
    drawBackground();
    drawBoardSquares();
    drawActors(0, 0);
    drawStonesAndTurn();
    drawFace(0, 0);
    drawButtons();
    drawWipe();
    drawScreenEffects();
    if (isMatchFinished()) setButtonState(kButtonEndCard, kButtonEnabled);
    if (!waitFrame(window)) return kSceneEnd;
    int next = -1;
    switch (clickedButton()) {
      case kButtonPass: switchSide(); break;
      case kButtonEndCard: {
        int margin = finalMargin();
        startWipe();
        playSound(kSoundLeaveScene, kPlayOnce);
        next = margin > 0 ? kSceneEnding : kSceneGameOver;  // a draw counts as a loss
        break;
      }
      default: break;
    }
    if (next < 0) next = escapeOrReset();
    shellFrameDone(kSceneMatch);
    if (next >= 0) return next;
  }
}

int runEndingScene(GfxWindow window) {
  clearActors();
  for (int flock = 0; flock < 2; ++flock) {
    for (int i = 0; i < kFlyingStonesPerFlock; ++i) spawnActor(kFlyingStone, i % 2, 0, 0);
    if (flock == 0) spawnActor(kEndingFigure, 0, 0, 0);
  }
  uint32_t background = toNativeColor(kEndingBackground);
  playSound(kSoundEndingTune, kPlayLoop);
  resetRequested = 0;
  int32_t t = 0;
  for (;;) {
    sampleInput();
    updateActors();
    updateWipe();
    updateScreenEffects();
    if (t < kEndingBannerFrame) {
      t += 1;
    } else if (t == kEndingBannerFrame) {
      t = kEndingBannerFrame + 1;
      spawnActor(kEndBanner, 0, 0, 0);
      spawnActor(kCreditCaption, 0, kCentreX, kCreditY);
    }
    fillRect(kScreenRect, background);
    drawActors(0, 0);
    drawWipe();
    drawScreenEffects();
    if (!waitFrame(window)) {
      playSound(kSoundEndingTune, kPlayStop);
      return kSceneEnd;
    }
    int next = escapeOrReset();
    if (next >= 0) playSound(kSoundEndingTune, kPlayStop);
    shellFrameDone(kSceneEnding);
    if (next >= 0) return next;
  }
}

int runGameOverScene(GfxWindow window) {
  clearActors();
  spawnActor(kGameOverBanner, 0, kCentreX, kCentreY);
  resetRequested = 0;
  for (;;) {
    sampleInput();
    updateActors();
    updateWipe();
    updateScreenEffects();
    drawBackground();
    drawActors(0, 0);
    drawWipe();
    drawScreenEffects();
    if (!waitFrame(window)) return kSceneEnd;
    int next = escapeOrReset();
    shellFrameDone(kSceneGameOver);
    if (next >= 0) return next;
  }
}
