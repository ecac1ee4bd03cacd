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

// Where the buttons lie on the screen: the cards (the title's two, the
// match's end card) and the match's Pass button.
constexpr int32_t kCardWidth = 32;
constexpr int32_t kCardHeight = 48;
constexpr int32_t kCardTop = 6;
constexpr int32_t kWhiteCardLeft = 24;
constexpr int32_t kRedCardLeft = 104;
constexpr int32_t kEndCardLeft = 6;
constexpr int32_t kPassWidth = 24;
constexpr int32_t kPassHeight = 12;
constexpr int32_t kPassLeft = 128;
constexpr int32_t kPassTop = 42;

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
