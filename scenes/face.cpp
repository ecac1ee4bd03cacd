// The face's two-frame moods and the wipe's accelerating slide.
#include "scenes/face.h"
#include "scenes/face_testing.h"

#include "gfx/gfx.h"
#include "scenes/match.h"
#include "scenes/picture_slots.h"

namespace {
// Both are Actor records kept outside the actor table.
Actor faceActor;
Actor wipeActor;
uint32_t faceFrameCounter = 0;  // never reset: the flipping phase runs on

constexpr int32_t kFaceX = 71680;     // pixel 140
constexpr int32_t kFaceY = 12288;     // pixel 24
constexpr int32_t kFaceAnchorX = 6144;
constexpr int32_t kFaceAnchorY = 8192;

struct MoodFrames {
  Rect a, b;
  uint32_t halfCycle;  // frames before the face flips to its other pose
};

// Indexed by FaceMood.
constexpr MoodFrames kMoods[kMoodCount] = {
    {{0, 0, 24, 32}, {24, 0, 48, 32}, 50},        // kMoodHumanToMove
    {{48, 0, 72, 32}, {72, 0, 96, 32}, 10},       // kMoodHumanStonesTurn
    {{96, 0, 120, 32}, {120, 0, 144, 32}, 50},    // kMoodComputerThinks
    {{0, 32, 24, 64}, {24, 32, 48, 64}, 10},      // kMoodComputerStonesTurn
    {{48, 32, 72, 64}, {72, 32, 96, 64}, 50},     // kMoodHumanWon
    {{96, 32, 120, 64}, {120, 32, 144, 64}, 30},  // kMoodHumanLost
    {{0, 64, 24, 96}, {24, 64, 48, 96}, 30},      // kMoodDraw
};

constexpr int32_t kWipeAcceleration = 1024;
constexpr int32_t kWipeGone = kScreenWidth * kFixedOne;
constexpr Rect kWipeRect = kScreenRect;
}  // namespace

void resetFace() {
  faceActor = Actor{};
  faceActor.inUse = 1;
  faceActor.surfaceSlot = kSlotFace;
  faceActor.x = kFaceX;
  faceActor.y = kFaceY;
  faceActor.anchorX = kFaceAnchorX;
  faceActor.anchorY = kFaceAnchorY;
}

void updateFace() {
  faceFrameCounter += 1;
  int mood = faceMood();
  if (mood < 0 || mood >= kMoodCount) return;
  const MoodFrames& m = kMoods[mood];
  faceActor.src = (faceFrameCounter / m.halfCycle) % 2 == 0 ? m.a : m.b;
}

void drawFace(int offsetX, int offsetY) {
  int32_t px = (faceActor.x - faceActor.anchorX - offsetX) / kFixedOne;
  int32_t py = (faceActor.y - faceActor.anchorY - offsetY) / kFixedOne;
  drawSprite(kScreenRect, px, py, faceActor.src, faceActor.surfaceSlot);
}

void clearWipe() {
  wipeActor = Actor{};
  wipeActor.surfaceSlot = kSlotSnapshot;
}

void startWipe() {
  grabBackBuffer(kSlotSnapshot, kScreenRect);
  wipeActor.inUse = 1;
  wipeActor.x = 0;
  wipeActor.y = 0;
  wipeActor.vx = 0;
  wipeActor.vy = 0;
}

void updateWipe() {
  if (!wipeActor.inUse) return;
  wipeActor.vx += kWipeAcceleration;
  wipeActor.x += wipeActor.vx;
  if (wipeActor.x > kWipeGone) wipeActor.inUse = 0;
}

void drawWipe() {
  if (!wipeActor.inUse) return;
  drawSprite(kScreenRect, wipeActor.x / kFixedOne, wipeActor.y / kFixedOne, kWipeRect, wipeActor.surfaceSlot);
}

int wipeRunning(int32_t* x) {
  if (!wipeActor.inUse) return 0;
  *x = wipeActor.x / kFixedOne;
  return 1;
}

const Actor& faceForTest() { return faceActor; }

const Actor& wipeForTest() { return wipeActor; }

void setFaceFrameCounter(uint32_t frames) { faceFrameCounter = frames; }
