// Button layouts, hover looks, clicks on the press edge, drawing.
#include "scenes/buttons.h"

#include "host/input.h"
#include "scenes/picture_slots.h"

Button buttonTable[kButtonCount];

namespace {
constexpr Rect kNoRect = {0, 0, 0, 0};
constexpr Rect kCardNormal = {0, 0, kCardWidth, kCardHeight};
constexpr Rect kCardHighlighted = {kCardWidth, 0, 2 * kCardWidth, kCardHeight};

constexpr Rect kPassNormal = {0, 0, kPassWidth, kPassHeight};
constexpr Rect kPassHover = {kPassWidth, 0, 2 * kPassWidth, kPassHeight};
constexpr Rect kPassGrey = {2 * kPassWidth, 0, 3 * kPassWidth, kPassHeight};

void clearButtons() {
  for (Button& b : buttonTable) b = Button{};
}

void placeButton(int index, int slot, int32_t x, int32_t y, Rect normal, Rect hover, Rect disabled) {
  Button& b = buttonTable[index];
  b.inUse = 1;
  b.state = kButtonEnabled;
  b.look = kLookNormal;
  b.slot = slot;
  b.x = x;
  b.y = y;
  b.sourceRects[kLookNormal] = normal;
  b.sourceRects[kLookHover] = hover;
  b.sourceRects[kLookDisabled] = disabled;
}

// Strict on all four sides: the left column and top row do not count, the
// columns and rows up to x + width - 1 and y + height - 1 do.
bool containsMouse(const Button& b) {
  const Rect& r = b.sourceRects[kLookNormal];
  int32_t w = r.right - r.left, h = r.bottom - r.top;
  return b.x < inputState.mouseX && inputState.mouseX < b.x + w && b.y < inputState.mouseY &&
         inputState.mouseY < b.y + h;
}
}  // namespace

void layoutTitleButtons() {
  clearButtons();
  placeButton(kButtonPlayWhite, kSlotWhiteCard, kWhiteCardLeft, kCardTop, kCardNormal, kCardHighlighted, kNoRect);
  placeButton(kButtonPlayBlack, kSlotRedCard, kRedCardLeft, kCardTop, kCardNormal, kCardHighlighted, kNoRect);
}

void layoutMatchButtons() {
  clearButtons();
  placeButton(kButtonPass, kSlotPass, kPassLeft, kPassTop, kPassNormal, kPassHover, kPassGrey);
  placeButton(kButtonEndCard, kSlotEndCard, kEndCardLeft, kCardTop, kCardNormal, kCardHighlighted, kNoRect);
}

void setButtonState(int index, int state) {
  if (index < 0 || index >= kButtonCount) return;
  buttonTable[index].state = state;
}

void updateButtonLooks() {
  for (Button& b : buttonTable) {
    if (!b.inUse) continue;
    if (b.state == kButtonDisabled) b.look = kLookDisabled;
    else b.look = containsMouse(b) ? kLookHover : kLookNormal;
  }
}

int clickedButton() {
  if ((inputState.mousePressed & kMouseLeft) == 0) return -1;
  for (int i = 0; i < kButtonCount; ++i) {
    const Button& b = buttonTable[i];
    if (!b.inUse || b.state == kButtonDisabled) continue;
    if (containsMouse(b)) return i;
  }
  return -1;
}

void drawButtons() {
  for (const Button& b : buttonTable) {
    if (!b.inUse || b.state == kButtonHidden) continue;
    int look = b.look >= kLookNormal && b.look <= kLookDisabled ? b.look : kLookNormal;
    drawSprite(kScreenRect, b.x, b.y, b.sourceRects[look], b.slot);
  }
}
