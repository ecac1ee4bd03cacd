// The ten on-screen buttons: the title's two cards, the match's Pass button
// and end card. Each has three looks side by side in one picture.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

constexpr int kButtonCount = 10;

constexpr int32_t kButtonEnabled = 0;
constexpr int32_t kButtonDisabled = 1;
constexpr int32_t kButtonHidden = 2;

constexpr int32_t kLookNormal = 0;
constexpr int32_t kLookHover = 1;
constexpr int32_t kLookDisabled = 2;

// Indices in the two layouts.
constexpr int kButtonPlayWhite = 0;
constexpr int kButtonPlayBlack = 1;
constexpr int kButtonPass = 0;
constexpr int kButtonEndCard = 1;

struct Button {
  int32_t inUse;
  int32_t state;
  int32_t x, y;
  int32_t look;
  int32_t slot;
  Rect sourceRects[3];
};

extern Button buttonTable[kButtonCount];

void layoutTitleButtons();
void layoutMatchButtons();
void setButtonState(int index, int state);
void updateButtonLooks();
// The button the left mouse button went down on this frame, or -1.
int clickedButton();
void drawButtons();
