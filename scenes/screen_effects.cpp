// The blink, the countdown and the cross flash.
#include "scenes/screen_effects.h"

#include "gfx/gfx.h"

namespace {
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr int32_t kCrossGrowth = 16;
constexpr int32_t kCrossWidest = 1500;
constexpr int32_t kCrossKeepNumerator = 5;
constexpr int32_t kCrossKeepDenominator = 6;

struct Blink {
  uint32_t native;
  int32_t framesLeft;
};

enum CrossPhase { kCrossOff, kCrossGrowing, kCrossNarrowing };

struct Cross {
  int phase;
  int32_t x, y;
  int32_t halfWidth;
  uint32_t native;
};

Blink blink = {0, 0};
int32_t countdown = 0;
Cross cross = {kCrossOff, 0, 0, 0, 0};

int32_t clampTo(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

// A band's span along one axis, kept on the screen.
void fillBand(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const Rect r = {clampTo(left, 0, kScreenWidth), clampTo(top, 0, kScreenHeight), clampTo(right, 0, kScreenWidth),
                  clampTo(bottom, 0, kScreenHeight)};
  if (r.left < r.right && r.top < r.bottom) fillRect(r, cross.native);
}
}  // namespace

void startBlink(uint32_t native, int32_t frames) { blink = Blink{native, frames > 0 ? frames : 0}; }

void clearBlink() { blink = Blink{0, 0}; }

void startCountdown(int32_t frames) { countdown = frames > 0 ? frames : 0; }

int32_t countdownFrames() { return countdown; }

void startCrossFlash(int32_t x, int32_t y) {
  // Converted once here: toNativeColor is too slow for every frame.
  cross = Cross{kCrossGrowing, x, y, 0, toNativeColor(kWhite)};
}

int32_t crossFlashHalfWidth() { return cross.phase == kCrossOff ? 0 : cross.halfWidth; }

void updateScreenEffects() {
  if (blink.framesLeft > 0) blink.framesLeft -= 1;
  if (countdown > 0) countdown -= 1;
  switch (cross.phase) {
    case kCrossGrowing:
      cross.halfWidth += kCrossGrowth;
      if (cross.halfWidth > kCrossWidest) cross.phase = kCrossNarrowing;
      break;
    case kCrossNarrowing:
      cross.halfWidth = cross.halfWidth * kCrossKeepNumerator / kCrossKeepDenominator;
      if (cross.halfWidth == 0) cross.phase = kCrossOff;
      break;
    default: break;
  }
}

void drawScreenEffects() {
  if (blink.framesLeft % 2 == 1) fillRect(kScreenRect, blink.native);
  if (cross.phase == kCrossOff) return;
  const int32_t w = cross.halfWidth;
  if (cross.phase == kCrossGrowing) fillBand(cross.x - w, 0, cross.x + w, kScreenHeight);
  fillBand(0, cross.y - w, kScreenWidth, cross.y + w);
}
