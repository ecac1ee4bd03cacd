// The drawn dialogs: layout, look, and the modal loop that waits for an answer.
#include "app/sdl/dialogs.h"

#include <SDL.h>

#include <cstring>

#include "app/sdl/canvas.h"
#include "app/sdl/screen.h"
#include "app/sdl/shell_sdl.h"
#include "host/texts.h"

namespace {
constexpr int32_t kTitleBarHeight = 10;
constexpr int32_t kTextTop = 1;  // text row inside the caption strip and the buttons
constexpr int32_t kTitleTextLeft = 3;
constexpr int32_t kSidePadding = 6;
constexpr int32_t kGapBelowTitle = 4;
constexpr int32_t kLineHeight = 9;
constexpr int32_t kGapAboveButtons = 4;
constexpr int32_t kGapBelowButtons = 4;
constexpr int32_t kButtonWidth = 30;  // at least; a longer label widens every button
constexpr int32_t kButtonTextPadding = 4;  // each side of the longest label
constexpr int32_t kButtonHeight = 12;
constexpr int32_t kButtonTextTop = 3;
constexpr int32_t kButtonGap = 6;
constexpr int kLineBytes = 128;

constexpr uint32_t kBoxColour = kChromeWhite;
constexpr uint32_t kBorderColour = kChromeInk;
constexpr uint32_t kTitleBarColour = kChromeNight;
constexpr uint32_t kTitleTextColour = kChromeWhite;
constexpr uint32_t kTextColour = kChromeInk;
constexpr uint32_t kButtonColour = kChromeGrey;
constexpr uint32_t kButtonBorderColour = kChromeInk;
constexpr uint32_t kDefaultButtonBorderColour = kChromeBlue;
constexpr uint32_t kPressedButtonColour = kChromeDarkGrey;
constexpr uint32_t kPressedTextColour = kChromeWhite;

constexpr int kYes = 1;
constexpr int kNo = 0;
const char kTextOk[] = "OK";

// The line'th line of text (lines end at '\n') copied into out.
void copyLine(const char* text, int line, char* out, int size) {
  for (int i = 0; i < line && text != nullptr; ++i) {
    text = std::strchr(text, '\n');
    if (text != nullptr) ++text;
  }
  out[0] = '\0';
  if (text == nullptr) return;
  int n = 0;
  while (text[n] != '\0' && text[n] != '\n' && n < size - 1) {
    out[n] = text[n];
    ++n;
  }
  out[n] = '\0';
}

int countLines(const char* text) {
  int lines = 1;
  for (const char* p = text; *p != '\0'; ++p)
    if (*p == '\n') ++lines;
  return lines < kDialogMaxLines ? lines : kDialogMaxLines;
}

bool inside(const Rect& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

void drawButton(const Rect& r, const char* label, bool isDefault, bool pressed) {
  canvasFill(r, pressed ? kPressedButtonColour : kButtonColour);
  canvasFrame(r, isDefault ? kDefaultButtonBorderColour : kButtonBorderColour);
  if (isDefault) canvasFrame({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kDefaultButtonBorderColour);
  const int32_t x = r.left + (r.right - r.left - textWidth(label)) / 2;
  canvasText(x, r.top + kButtonTextTop, label, pressed ? kPressedTextColour : kTextColour);
}

void drawDialog(const DialogLayout& d, const char* title, const char* text, const char* const* labels,
                int defaultButton, int pressed) {
  canvasFill(d.box, kBoxColour);
  canvasFill(d.titleBar, kTitleBarColour);
  canvasFrame(d.box, kBorderColour);
  canvasText(d.titleBar.left + kTitleTextLeft, d.titleBar.top + kTextTop, title, kTitleTextColour);
  for (int i = 0; i < d.lineCount; ++i) {
    char line[kLineBytes];
    copyLine(text, i, line, sizeof line);
    const int32_t x = d.box.left + (d.box.right - d.box.left - textWidth(line)) / 2;
    canvasText(x, d.lineTops[i], line, kTextColour);
  }
  for (int b = 0; b < d.buttonCount; ++b) drawButton(d.buttons[b], labels[b], b == defaultButton, b == pressed);
  showCanvas();
}

// The modal loop: returns the index of the button chosen; Enter chooses the
// default button, Esc the cancel one.
int runDialog(const char* title, const char* text, const char* const* labels, int buttonCount, int defaultButton,
              int cancelButton) {
  const DialogLayout d = layoutDialog(title, text, labels, buttonCount);
  int pressed = -1;
  int chosen = -1;
  drawDialog(d, title, text, labels, defaultButton, pressed);
  while (chosen < 0) {
    SDL_Event e;
    if (!SDL_WaitEvent(&e)) {
      chosen = cancelButton;
      break;
    }
    switch (e.type) {
      case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT) break;
        pressed = dialogButtonAt(d, canvasPixel(e.button.x, screenScale()), canvasPixel(e.button.y, screenScale()));
        drawDialog(d, title, text, labels, defaultButton, pressed);
        break;
      case SDL_MOUSEBUTTONUP: {
        if (e.button.button != SDL_BUTTON_LEFT) break;
        // A button counts when the press and the release were both on it.
        const int released =
            dialogButtonAt(d, canvasPixel(e.button.x, screenScale()), canvasPixel(e.button.y, screenScale()));
        if (pressed >= 0 && released == pressed) chosen = pressed;
        pressed = -1;
        if (chosen < 0) drawDialog(d, title, text, labels, defaultButton, pressed);
        break;
      }
      case SDL_KEYDOWN:
        switch (e.key.keysym.sym) {
          case SDLK_RETURN:
          case SDLK_KP_ENTER: chosen = defaultButton; break;
          case SDLK_ESCAPE: chosen = cancelButton; break;
          default: break;
        }
        break;
      case SDL_KEYUP:
      case SDL_MOUSEMOTION: break;  // the dialog has the keyboard and the mouse
      default: handleBackgroundEvent(e, kBackgroundInDialog); break;
    }
  }
  restoreCanvas();
  return chosen;
}
}  // namespace

DialogLayout layoutDialog(const char* title, const char* text, const char* const* buttonTexts, int buttonCount) {
  DialogLayout d = {};
  if (buttonCount < 0) buttonCount = 0;
  if (buttonCount > kDialogMaxButtons) buttonCount = kDialogMaxButtons;
  d.lineCount = countLines(text);
  d.buttonCount = buttonCount;

  int32_t contentWidth = kTitleTextLeft + textWidth(title);
  for (int i = 0; i < d.lineCount; ++i) {
    char line[kLineBytes];
    copyLine(text, i, line, sizeof line);
    if (textWidth(line) > contentWidth) contentWidth = textWidth(line);
  }
  int32_t buttonWidth = kButtonWidth;
  for (int b = 0; b < buttonCount; ++b)
    if (textWidth(buttonTexts[b]) + 2 * kButtonTextPadding > buttonWidth)
      buttonWidth = textWidth(buttonTexts[b]) + 2 * kButtonTextPadding;
  const int32_t buttonsWidth = buttonCount * buttonWidth + (buttonCount > 1 ? (buttonCount - 1) * kButtonGap : 0);
  if (buttonsWidth > contentWidth) contentWidth = buttonsWidth;

  int32_t width = contentWidth + 2 * kSidePadding;
  if (width > kCanvasWidth) width = kCanvasWidth;
  const int32_t height = kTitleBarHeight + kGapBelowTitle + d.lineCount * kLineHeight + kGapAboveButtons +
                         kButtonHeight + kGapBelowButtons;
  const int32_t left = (kCanvasWidth - width) / 2;
  const int32_t top = (kCanvasHeight - height) / 2;
  d.box = {left, top, left + width, top + height};
  d.titleBar = {left, top, left + width, top + kTitleBarHeight};
  for (int i = 0; i < d.lineCount; ++i) d.lineTops[i] = top + kTitleBarHeight + kGapBelowTitle + i * kLineHeight;
  const int32_t buttonTop = top + kTitleBarHeight + kGapBelowTitle + d.lineCount * kLineHeight + kGapAboveButtons;
  int32_t buttonLeft = left + (width - buttonsWidth) / 2;
  for (int b = 0; b < buttonCount; ++b) {
    d.buttons[b] = {buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + kButtonHeight};
    buttonLeft += buttonWidth + kButtonGap;
  }
  return d;
}

int dialogButtonAt(const DialogLayout& layout, int32_t x, int32_t y) {
  for (int b = 0; b < layout.buttonCount; ++b)
    if (inside(layout.buttons[b], x, y)) return b;
  return -1;
}

int runConfirmDialog(const char* question) {
  const char* const labels[] = {shownText(kShownYes), shownText(kShownNo)};
  constexpr int kYesButton = 0, kNoButton = 1;
  return runDialog(kTextWindowTitle, question, labels, 2, kYesButton, kNoButton) == kYesButton ? kYes : kNo;
}

void runMessageBox(const char* text, const char* title) {
  const char* const labels[] = {kTextOk};
  runDialog(title, text, labels, 1, 0, 0);
}
