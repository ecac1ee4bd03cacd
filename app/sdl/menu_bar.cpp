// The drawn menu bar: its layout, its look and its modal loop.
#include "app/sdl/menu_bar.h"

#include <SDL.h>

#include "app/sdl/canvas.h"
#include "app/sdl/screen.h"
#include "app/sdl/shell_sdl.h"
#include "host/menu.h"
#include "host/texts.h"
#include "host/window_proc.h"

namespace {
constexpr int32_t kBarLeft = 2;
constexpr int32_t kTitlePadding = 3;  // each side of a title's text
constexpr int32_t kTextTop = 1;       // text row inside a bar or item line
constexpr int32_t kItemHeight = 10;
constexpr int32_t kItemTextLeft = 4;
constexpr int32_t kItemTextRight = 8;  // room after the longest item
constexpr int32_t kDropDownBorder = 1;

constexpr uint32_t kBarColour = kChromeNight;
constexpr uint32_t kBarLineColour = kChromeInk;
constexpr uint32_t kTitleColour = kChromeWhite;
constexpr uint32_t kOpenTitleColour = kChromeSlate;
constexpr uint32_t kDropDownColour = kChromeBlue;
constexpr uint32_t kDropDownBorderColour = kChromeSlate;
constexpr uint32_t kItemColour = kChromeWhite;
constexpr uint32_t kChosenItemColour = kChromeGold;
constexpr uint32_t kChosenItemTextColour = kChromeInk;

bool validTitle(int title) { return title >= 0 && title < kMenuTitleCount; }

bool inside(const Rect& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

void drawDropDown(int title, int chosenItem) {
  const Rect box = dropDownRect(title);
  if (box.right <= box.left) return;
  canvasFill(box, kDropDownColour);
  canvasFrame(box, kDropDownBorderColour);
  for (int i = 0; i < kMenu[title].itemCount; ++i) {
    const int32_t top = box.top + kDropDownBorder + i * kItemHeight;
    uint32_t textColour = kItemColour;
    if (i == chosenItem) {
      canvasFill({box.left + kDropDownBorder, top, box.right - kDropDownBorder, top + kItemHeight}, kChosenItemColour);
      textColour = kChosenItemTextColour;
    }
    canvasText(box.left + kItemTextLeft, top + kTextTop, kMenu[title].items[i].text, textColour);
  }
}

void showMenu(int title, int item) {
  drawMenuBar(title);
  drawDropDown(title, item);
  showCanvas();
}

int32_t eventCanvasX(int32_t windowX) { return canvasPixel(windowX, screenScale()); }
int32_t eventCanvasY(int32_t windowY) { return canvasPixel(windowY, screenScale()); }

// One step of the highlight with the arrow keys, wrapping round.
int stepItem(int title, int item, int step) {
  const int count = kMenu[title].itemCount;
  if (count == 0) return -1;
  if (item < 0) return step > 0 ? 0 : count - 1;
  return (item + step + count) % count;
}
}  // namespace

Rect menuTitleRect(int title) {
  if (!validTitle(title)) return {0, 0, 0, 0};
  int32_t left = kBarLeft;
  for (int i = 0; i < title; ++i) left += textWidth(kMenu[i].text) + 2 * kTitlePadding;
  return {left, 0, left + textWidth(kMenu[title].text) + 2 * kTitlePadding, kMenuBarHeight};
}

int menuTitleAt(int32_t x, int32_t y) {
  for (int t = 0; t < kMenuTitleCount; ++t)
    if (inside(menuTitleRect(t), x, y)) return t;
  return -1;
}

Rect dropDownRect(int title) {
  if (!validTitle(title) || kMenu[title].itemCount == 0) return {0, 0, 0, 0};
  int32_t widest = 0;
  for (int i = 0; i < kMenu[title].itemCount; ++i) {
    const int32_t w = textWidth(kMenu[title].items[i].text);
    if (w > widest) widest = w;
  }
  const int32_t left = menuTitleRect(title).left;
  return {left, kMenuBarHeight, left + kItemTextLeft + widest + kItemTextRight,
          kMenuBarHeight + 2 * kDropDownBorder + kMenu[title].itemCount * kItemHeight};
}

int dropDownItemCount(int title) { return validTitle(title) ? kMenu[title].itemCount : 0; }

int dropDownItemAt(int title, int32_t x, int32_t y) {
  const Rect box = dropDownRect(title);
  if (!inside(box, x, y)) return -1;
  const int item = (y - box.top - kDropDownBorder) / kItemHeight;
  return y >= box.top + kDropDownBorder && item < kMenu[title].itemCount ? item : -1;
}

uint32_t menuCommand(int title, int item) {
  if (!validTitle(title)) return 0;
  if (item < 0) return kMenu[title].command;
  return item < kMenu[title].itemCount ? kMenu[title].items[item].command : 0;
}

void drawMenuBar(int highlightedTitle) {
  canvasFill({0, 0, kCanvasWidth, kMenuBarHeight - 1}, kBarColour);
  canvasFill({0, kMenuBarHeight - 1, kCanvasWidth, kMenuBarHeight}, kBarLineColour);
  for (int t = 0; t < kMenuTitleCount; ++t) {
    const Rect r = menuTitleRect(t);
    if (t == highlightedTitle) canvasFill({r.left, r.top, r.right, r.bottom - 1}, kOpenTitleColour);
    canvasText(r.left + kTitlePadding, kTextTop, kMenu[t].text, kTitleColour);
  }
}

uint32_t runMenuLoop(int title) {
  if (!validTitle(title)) return 0;
  int open = title;
  int item = -1;
  uint32_t chosen = 0;
  bool done = false;
  showMenu(open, item);
  while (!done) {
    SDL_Event e;
    if (!SDL_WaitEvent(&e)) break;
    switch (e.type) {
      case SDL_MOUSEMOTION: {
        const int32_t x = eventCanvasX(e.motion.x), y = eventCanvasY(e.motion.y);
        const int over = menuTitleAt(x, y);
        if (over >= 0 && over != open) open = over;  // sliding along the bar switches menus
        item = dropDownItemAt(open, x, y);
        showMenu(open, item);
        break;
      }
      case SDL_MOUSEBUTTONDOWN: {
        if (e.button.button != SDL_BUTTON_LEFT) break;
        const int32_t x = eventCanvasX(e.button.x), y = eventCanvasY(e.button.y);
        const int over = menuTitleAt(x, y);
        if (over == open && dropDownItemCount(open) > 0) {
          done = true;  // a second press on an open title closes it
        } else if (over >= 0) {
          open = over;
          item = -1;
          showMenu(open, item);
        } else if (dropDownItemAt(open, x, y) < 0) {
          done = true;  // a press anywhere else leaves the menu
        }
        break;
      }
      case SDL_MOUSEBUTTONUP: {
        if (e.button.button != SDL_BUTTON_LEFT) break;
        const int32_t x = eventCanvasX(e.button.x), y = eventCanvasY(e.button.y);
        const int chosenItem = dropDownItemAt(open, x, y);
        if (chosenItem >= 0) {
          chosen = menuCommand(open, chosenItem);
          done = true;
        } else if (menuTitleAt(x, y) == open && menuCommand(open, -1) != 0) {
          chosen = menuCommand(open, -1);  // released on a command title such as "Ver"
          done = true;
        }
        break;
      }
      case SDL_KEYDOWN:
        switch (e.key.keysym.sym) {
          case SDLK_ESCAPE: done = true; break;
          case SDLK_RETURN:
          case SDLK_KP_ENTER:
            chosen = menuCommand(open, item);
            done = true;
            break;
          case SDLK_DOWN: item = stepItem(open, item, 1); break;
          case SDLK_UP: item = stepItem(open, item, -1); break;
          case SDLK_RIGHT: open = (open + 1) % kMenuTitleCount; item = -1; break;
          case SDLK_LEFT: open = (open + kMenuTitleCount - 1) % kMenuTitleCount; item = -1; break;
          default: break;
        }
        if (!done) showMenu(open, item);
        break;
      case SDL_KEYUP: break;  // the menu has the keyboard while it is open
      default:
        if (handleBackgroundEvent(e, kBackgroundInMenu) == kBackgroundLeavesModal) done = true;
        break;
    }
  }
  restoreCanvas();
  return chosen;
}
