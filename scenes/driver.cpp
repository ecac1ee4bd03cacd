// Asset loading and the four scene loops, each frame in a fixed order:
// input, logic, drawing back to front, the frame wait, then reactions.
#include "scenes/driver.h"

#include "game/board.h"
#include "host/frame.h"
#include "host/input.h"
#include "host/shell.h"
#include "host/texts.h"
#include "host/window_proc.h"
#include "scenes/actors.h"
#include "scenes/board_view.h"
#include "scenes/buttons.h"
#include "scenes/face.h"
#include "scenes/keyboard_play.h"
#include "scenes/match.h"
#include "scenes/picture_slots.h"
#include "scenes/screen_effects.h"
#include "sound/bank.h"
#include "sound/sound_slots.h"
#include "sound/voices.h"

namespace {
// The colour picked on the title, for the match that follows.
int32_t chosenColor = kWhite;

struct PictureLoad {
  const char* resource;
  const char* english;  // the picture in English, or nullptr when it has no words
  int slot;
};

// Loaded in this order; "Loading" (slot 0) comes earlier, from start-up.
constexpr PictureLoad kPictures[] = {
    {"Copy", "en.Copy", kSlotCopy},
    {"numWhite", nullptr, kSlotNumWhite},
    {"numRed", nullptr, kSlotNumRed},
    {"GameOver", nullptr, kSlotGameOver},
    {"Face", "en.Face", kSlotFace},
    {"Title", nullptr, kSlotTitle},
    {"Stone_s", nullptr, kSlotStones},
    {"Effect_s", nullptr, kSlotEffects},
    {"turnNone_s", "en.turnNone_s", kSlotEndCard},
    {"turnWhite_s", "en.turnWhite_s", kSlotWhiteCard},
    {"turnBlack_s", "en.turnBlack_s", kSlotRedCard},
    {"Pass_s", "en.Pass_s", kSlotPass},
    {"back_s", nullptr, kSlotBackground},
};

int assetsLoaded = 0;

const char* pictureFor(const PictureLoad& p) {
  return textLanguage() == kLanguageEnglish && p.english != nullptr ? p.english : p.resource;
}

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
  if (takeResetRequest()) return kSceneTitle;
  return -1;
}
}  // namespace

void loadGameAssets() {
  for (const PictureLoad& p : kPictures) loadBitmap(pictureFor(p), p.slot);
  assetsLoaded = 1;
  createBlankSurface(kScreenWidth, kScreenHeight, kSlotSnapshot);
  for (const SoundRun& run : kShippedSounds)
    createSynthSound(&kShippedVoices[run.firstVoice], run.voiceCount, run.slot);
}

void reloadLanguagePictures() {
  if (!assetsLoaded) return;
  for (const PictureLoad& p : kPictures) {
    if (p.english == nullptr) continue;
    freeSurface(p.slot);
    loadBitmap(pictureFor(p), p.slot);
  }
}

int runSceneDriver() {
  loadGameAssets();
  clearActors();
  clearWipe();
  int code = kSceneTitle;
  for (;;) {
    switch (code) {
      case kSceneTitle: code = runTitleScene(); break;
      case kSceneMatch: code = runMatchScene(); break;
      case kSceneEnding: code = runEndingScene(); break;
      case kSceneGameOver: code = runGameOverScene(); break;
      default: return 1;
    }
  }
}

int runTitleScene() {
  clearActors();
  layoutTitleButtons();
  spawnActor(kTitleEmblem, 0, kCentreX, kCentreY);
  spawnActor(kCreditCaption, 0, kCentreX, kCreditY);
  clearBlink();
  resetCardHighlight();
  prepareKeyboardMarks();
  takeResetRequest();  // one chosen before this scene began is spent
  for (;;) {
    readFrameInput();
    stepCardHighlight();
    updateActors();
    updateWipe();
    updateScreenEffects();
    updateButtonLooks();
    drawBackground();
    drawButtons();
    drawCardHighlight();
    drawActors(0, 0);
    drawWipe();
    drawScreenEffects();
    if (!waitFrame()) return kSceneEnd;
    int next = -1;
    int picked = clickedButton();
    if (picked < 0) picked = cardPickedByKey();
    switch (picked) {
      case kButtonPlayWhite: chosenColor = kWhite; next = kSceneMatch; break;
      case kButtonPlayBlack: chosenColor = kBlack; next = kSceneMatch; break;
      default: break;
    }
    if (next == kSceneMatch) {
      startWipe();
      playSound(kSoundLeaveScene, kPlayOnce);
    } else {
      next = escapeOrReset();
    }
    frameDone(kSceneTitle);
    if (next >= 0) return next;
  }
}

int runMatchScene() {
  layoutMatchButtons();
  setButtonState(kButtonEndCard, kButtonDisabled);
  resetMatch(chosenColor);
  resetFace();
  clearActors();
  clearBlink();
  prepareKeyboardMarks();
  takeResetRequest();  // one chosen before this scene began is spent
  for (;;) {
    readFrameInput();
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
    drawBoardCursor();
    drawFace(0, 0);
    drawButtons();
    drawWipe();
    drawScreenEffects();
    if (isMatchFinished()) setButtonState(kButtonEndCard, kButtonEnabled);
    if (!waitFrame()) return kSceneEnd;
    int next = -1;
    int pressed = clickedButton();
    if (pressed < 0) pressed = matchButtonPressedByKey();
    switch (pressed) {
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
    frameDone(kSceneMatch);
    if (next >= 0) return next;
  }
}

int runEndingScene() {
  clearActors();
  for (int flock = 0; flock < 2; ++flock) {
    for (int i = 0; i < kFlyingStonesPerFlock; ++i) spawnActor(kFlyingStone, i % 2, 0, 0);
    if (flock == 0) spawnActor(kEndingFigure, 0, 0, 0);
  }
  uint32_t background = toNativeColor(kEndingBackground);
  playSound(kSoundEndingTune, kPlayLoop);
  takeResetRequest();  // one chosen before this scene began is spent
  int32_t t = 0;
  for (;;) {
    readFrameInput();
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
    if (!waitFrame()) {
      playSound(kSoundEndingTune, kPlayStop);
      return kSceneEnd;
    }
    int next = escapeOrReset();
    if (next >= 0) playSound(kSoundEndingTune, kPlayStop);
    frameDone(kSceneEnding);
    if (next >= 0) return next;
  }
}

int runGameOverScene() {
  clearActors();
  spawnActor(kGameOverBanner, 0, kCentreX, kCentreY);
  takeResetRequest();  // one chosen before this scene began is spent
  for (;;) {
    readFrameInput();
    updateActors();
    updateWipe();
    updateScreenEffects();
    drawBackground();
    drawActors(0, 0);
    drawWipe();
    drawScreenEffects();
    if (!waitFrame()) return kSceneEnd;
    int next = escapeOrReset();
    frameDone(kSceneGameOver);
    if (next >= 0) return next;
  }
}
