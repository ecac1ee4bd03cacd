// The SDL shell's modal dialogs, drawn in the window in the game's pixel
// style: the close question with Yes and No, and the box with one OK button.
// While one is open no frame runs.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

constexpr int kDialogMaxButtons = 2;
constexpr int kDialogMaxLines = 4;

struct DialogLayout {
  Rect box;       // the whole dialog, in canvas pixels
  Rect titleBar;  // the caption strip at its top
  int32_t lineCount;
  int32_t lineTops[kDialogMaxLines];
  int32_t buttonCount;
  Rect buttons[kDialogMaxButtons];
};

// Lays out a dialog for the caption, text (lines split at '\n', at most
// kDialogMaxLines) and button labels, centred on the canvas.
DialogLayout layoutDialog(const char* title, const char* text, const char* const* buttonTexts, int buttonCount);

// The button under a canvas point, or -1.
int dialogButtonAt(const DialogLayout& layout, int32_t x, int32_t y);

// The close question: 1 for Yes ("はい", also Enter), 0 for No ("いいえ", also Esc).
int runConfirmDialog(const char* question);

// A box with the caption title, the text and an OK button (Enter or Esc too).
void runMessageBox(const char* text, const char* title);
