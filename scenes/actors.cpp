// Actor kinds and their step functions, dispatched by one switch.
#include "scenes/actors.h"

#include "game/random.h"
#include "scenes/picture_slots.h"
#include "sound/bank.h"
#include "sound/sound_slots.h"

Actor actorTable[kActorSlots];

namespace {
// The screen the kinds move on is gfx's kScreenWidth x kScreenHeight.
constexpr int32_t kScreenTop = 0;

constexpr int32_t kStateFresh = 0;
constexpr int32_t kStateRunning = 1;
constexpr int32_t kBannerArrived = 2;
constexpr int32_t kFigureHit = 10;
constexpr int32_t kFigureTumbling = 11;

constexpr int32_t kLastBurstFrame = 4;
constexpr int32_t kRingBurstFrameUpdates = 2;       // frame-timer limit: 3 updates a frame
constexpr int32_t kSmallRingBurstFrameUpdates = 3;  // 4 updates a frame
constexpr int32_t kRingBurstSize = 18;
constexpr int32_t kSmallRingBurstSize = 12;
constexpr int32_t kSmallRingBurstTop = 18;

constexpr int32_t kStoneSize = 6;
constexpr int32_t kFlyingStoneLeft[2] = {6, 12};    // white stone, red stone
constexpr int32_t kFlyingStoneMargin = 6;
constexpr int32_t kFlyingStoneBurstDrift = 4096;
constexpr int32_t kFlyingStoneSpeedMax = 8;
constexpr int32_t kFlyingStonePull = 32;
constexpr int32_t kFlyingStoneAcceleration = 64;

constexpr int32_t kFigureSize = 24;
constexpr int32_t kFigureWalkLeft = 144;
constexpr int32_t kFigureTumbleTop = 24;
constexpr int32_t kFigureWalkFrameUpdates = 2;
constexpr int32_t kFigureTumbleFrameUpdates = 1;
constexpr int32_t kFigureLastWalkFrame = 1;
constexpr int32_t kFigureFirstTumbleFrame = 2;
constexpr int32_t kFigureLastTumbleFrame = 5;
constexpr int32_t kFigurePace = 16;
constexpr int32_t kFigureMaxSpeed = 512;
constexpr int32_t kFigureQuietAge = 150;
constexpr int32_t kFigureCaptionEvery = 100;
constexpr int32_t kFigureCaptions = 3;
constexpr int32_t kFigureScreamCaption = 3;
constexpr int32_t kFigureCaptionRise = 4096;  // captions appear 8 pixels above the centre
constexpr int32_t kFigureTumbleLift = -128;

constexpr int32_t kCaptionLeft = 272;
constexpr int32_t kCaptionWidth = 48;
constexpr int32_t kCaptionHeight = 8;
constexpr int32_t kCaptionRiseUpdates = 8;
constexpr int32_t kCaptionLifetime = 50;
constexpr int32_t kCreditCaptionLine = 7;

constexpr Rect kTitleEmblemRect = {0, 0, 32, 32};
constexpr Rect kGameOverBannerRect = {0, 0, 64, 16};
constexpr Rect kEndBannerRect = {48, 72, 160, 96};
constexpr int32_t kEndBannerSpeed = 4096;


int32_t rectWidth(const Rect& r) { return r.right - r.left; }
int32_t rectHeight(const Rect& r) { return r.bottom - r.top; }

void setPicture(Actor& a, int slot, const Rect& src) {
  a.surfaceSlot = slot;
  a.src = src;
  a.anchorX = rectWidth(src) * kFixedOne / 2;
  a.anchorY = rectHeight(src) * kFixedOne / 2;
}

// frameTimer counts updates; past the limit the animation moves on a frame.
void tickFrameTimer(Actor& a, int32_t limit) {
  a.frameTimer += 1;
  if (a.frameTimer > limit) {
    a.frameTimer = 0;
    a.frame += 1;
  }
}

Rect ringBurstFrame(int32_t f) {
  return {kRingBurstSize * f, 0, kRingBurstSize * f + kRingBurstSize, kRingBurstSize};
}

Rect smallRingBurstFrame(int32_t f) {
  return {kSmallRingBurstSize * f, kSmallRingBurstTop, kSmallRingBurstSize * f + kSmallRingBurstSize,
          kSmallRingBurstTop + kSmallRingBurstSize};
}

Rect figureFrame(int32_t f) {
  if (f < kFigureFirstTumbleFrame)
    return {kFigureWalkLeft + kFigureSize * f, 0, kFigureWalkLeft + kFigureSize * (f + 1), kFigureSize};
  int32_t left = kFigureWalkLeft + kFigureSize * (f - kFigureFirstTumbleFrame);
  return {left, kFigureTumbleTop, left + kFigureSize, kFigureTumbleTop + kFigureSize};
}

Rect captionLine(int32_t line) {
  return {kCaptionLeft, kCaptionHeight * line, kCaptionLeft + kCaptionWidth, kCaptionHeight * line + kCaptionHeight};
}

void stepStatic(Actor& a, int slot, const Rect& src) {
  if (a.state != kStateFresh) return;
  a.state = kStateRunning;
  setPicture(a, slot, src);
}

void stepRingBurst(Actor& a) {
  if (a.state == kStateFresh) {
    a.state = kStateRunning;
    setPicture(a, kSlotEffects, ringBurstFrame(0));
    a.vx = a.param;
  }
  a.x += a.vx;
  tickFrameTimer(a, kRingBurstFrameUpdates);
  if (a.frame > kLastBurstFrame) {
    a.inUse = 0;
    return;
  }
  a.src = ringBurstFrame(a.frame);
}

void stepSmallRingBurst(Actor& a) {
  if (a.state == kStateFresh) {
    a.state = kStateRunning;
    setPicture(a, kSlotEffects, smallRingBurstFrame(0));
  }
  tickFrameTimer(a, kSmallRingBurstFrameUpdates);
  if (a.frame > kLastBurstFrame) {
    a.inUse = 0;
    return;
  }
  a.src = smallRingBurstFrame(a.frame);
}

void stepFlyingStone(Actor& a) {
  if (a.state == kStateFresh) {
    int32_t colour = a.param == 1 ? 1 : 0;
    Rect stone = {kFlyingStoneLeft[colour], 0, kFlyingStoneLeft[colour] + kStoneSize, kStoneSize};
    setPicture(a, kSlotStones, stone);
    a.state = kStateRunning;
    a.x = randomInRange(-kScreenWidth * 2, kScreenWidth + kFlyingStoneMargin) * kFixedOne;
    a.y = randomInRange(kScreenTop - kFlyingStoneMargin, kScreenHeight + kFlyingStoneMargin) * kFixedOne;
    a.vx = 0;
    a.vy = randomInRange(-kFlyingStoneSpeedMax, kFlyingStoneSpeedMax) * kFixedOne / 4;
    a.homeY = a.y;
    // May land in a lower or higher slot; a stone without its burst still flies.
    int32_t x = a.x, y = a.y;
    spawnActor(kRingBurst, kFlyingStoneBurstDrift, x, y);
  }
  if (a.y < a.homeY) a.vy += kFlyingStonePull;
  else a.vy -= kFlyingStonePull;
  a.vx += kFlyingStoneAcceleration;
  a.x += a.vx;
  a.y += a.vy;
  if (a.x > (kScreenWidth + kFlyingStoneMargin) * kFixedOne) a.state = kStateFresh;
}

void stepEndingFigure(Actor& a) {
  switch (a.state) {
    case kStateFresh:
      a.state = kStateRunning;
      setPicture(a, kSlotFace, figureFrame(0));
      a.vx = 0;
      a.vy = 0;
      a.x = kScreenWidth * kFixedOne * 3 / 2;
      a.y = kScreenHeight * kFixedOne / 2;
      [[fallthrough]];
    case kStateRunning:
      tickFrameTimer(a, kFigureWalkFrameUpdates);
      if (a.frame > kFigureLastWalkFrame) a.frame = 0;
      if (a.x < kScreenWidth * kFixedOne * 2 / 3) a.vx += kFigurePace;
      else a.vx -= kFigurePace;
      if (a.vx < -kFigureMaxSpeed) a.vx = -kFigureMaxSpeed;
      if (a.vx > kFigureMaxSpeed) a.vx = kFigureMaxSpeed;
      a.age += 1;
      if (a.age > kFigureQuietAge && a.age % kFigureCaptionEvery == 1) {
        int32_t x = a.x, y = a.y - kFigureCaptionRise, line = a.captionsShown % kFigureCaptions;
        // Spawning may run the caption's first update at once; the record
        // a refers to stays where it is, the table never moves.
        spawnActor(kFigureCaption, line, x, y);
        a.captionsShown += 1;
      }
      break;
    case kFigureHit: {
      a.state = kFigureTumbling;
      a.frame = kFigureFirstTumbleFrame;
      a.vy = kFigureTumbleLift;
      removeActors(kFigureCaption);
      int32_t x = a.x, y = a.y - kFigureCaptionRise;
      spawnActor(kFigureCaption, kFigureScreamCaption, x, y);
    }
      [[fallthrough]];
    case kFigureTumbling:
      a.vx += kFigurePace;
      tickFrameTimer(a, kFigureTumbleFrameUpdates);
      if (a.frame > kFigureLastTumbleFrame) a.frame = kFigureFirstTumbleFrame;
      if (a.x > kScreenWidth * 2 * kFixedOne) a.inUse = 0;
      break;
    default:
      break;
  }
  a.x += a.vx;
  a.y += a.vy;
  a.src = figureFrame(a.frame);
}

void stepFigureCaption(Actor& a) {
  if (a.state == kStateFresh) {
    a.state = kStateRunning;
    int32_t line = a.param;
    if (line < 0 || line > kCreditCaptionLine) line = 0;  // stay inside the caption column
    setPicture(a, kSlotFace, captionLine(line));
  }
  if (a.age < kCaptionRiseUpdates) a.y -= kFixedOne;
  a.age += 1;
  if (a.age > kCaptionLifetime) a.inUse = 0;
}

void stepEndBanner(Actor& a) {
  switch (a.state) {
    case kStateFresh:
      a.state = kStateRunning;
      setPicture(a, kSlotFace, kEndBannerRect);
      a.x = -a.anchorX;
      a.y = kScreenHeight * kFixedOne / 2;
      [[fallthrough]];
    case kStateRunning:
      a.x += kEndBannerSpeed;
      if (a.x > kScreenWidth * kFixedOne / 2) {
        a.x = kScreenWidth * kFixedOne / 2;
        a.state = kBannerArrived;
        setActorsState(kEndingFigure, kFigureHit);
        playSound(kSoundBannerHit, kPlayOnce);
        playSound(kSoundEndingTune, kPlayStop);
      }
      break;
    default:
      break;
  }
}

void stepActor(Actor& a) {
  switch (a.kind) {
    case kTitleEmblem: stepStatic(a, kSlotTitle, kTitleEmblemRect); break;
    case kGameOverBanner: stepStatic(a, kSlotGameOver, kGameOverBannerRect); break;
    case kRingBurst: stepRingBurst(a); break;
    case kSmallRingBurst: stepSmallRingBurst(a); break;
    case kFlyingStone: stepFlyingStone(a); break;
    case kEndingFigure: stepEndingFigure(a); break;
    case kFigureCaption: stepFigureCaption(a); break;
    case kEndBanner: stepEndBanner(a); break;
    case kCreditCaption: stepStatic(a, kSlotFace, captionLine(kCreditCaptionLine)); break;
    default: break;  // no other kind has a behaviour
  }
}
}  // namespace

void clearActors() {
  for (Actor& a : actorTable) a = Actor{};
}

int spawnActor(int kind, int param, int x, int y) {
  for (Actor& a : actorTable) {
    if (a.inUse) continue;
    a = Actor{};
    a.inUse = 1;
    a.kind = kind;
    a.param = param;
    a.x = x;
    a.y = y;
    stepActor(a);
    return 1;
  }
  return 0;
}

void updateActors() {
  // Index order; an actor spawned into a later slot during the pass gets its
  // second update in the same pass, one freed earlier is skipped.
  for (Actor& a : actorTable)
    if (a.inUse) stepActor(a);
}

void drawActors(int offsetX, int offsetY) {
  for (const Actor& a : actorTable) {
    if (!a.inUse) continue;
    // Division, not a shift: -513 units is pixel -1, -511 is pixel 0.
    int32_t px = (a.x - a.anchorX - offsetX) / kFixedOne;
    int32_t py = (a.y - a.anchorY - offsetY) / kFixedOne;
    drawSprite(kScreenRect, px, py, a.src, a.surfaceSlot);
  }
}

void setActorsState(int kind, int state) {
  for (Actor& a : actorTable)
    if (a.inUse && a.kind == kind) a.state = state;
}

void removeActors(int kind) {
  for (Actor& a : actorTable)
    if (a.inUse && a.kind == kind) a = Actor{};
}

int liveActorCount() {
  int n = 0;
  for (const Actor& a : actorTable) n += a.inUse != 0;
  return n;
}
