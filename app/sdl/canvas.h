// The picture the SDL window shows, in game pixels before magnification: the
// drawn menu bar on top, the game's 160 x 60 frame below it, and whatever
// menu or dialog is open drawn over both.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

constexpr int32_t kMenuBarHeight = 10;
constexpr int32_t kCanvasWidth = kScreenWidth;
constexpr int32_t kCanvasHeight = kMenuBarHeight + kScreenHeight;

// The shell's colours, taken from the game's own 16-colour palette.
constexpr uint32_t kChromeInk = 0x101018;
constexpr uint32_t kChromeNight = 0x1C2244;
constexpr uint32_t kChromeBlue = 0x2C3A6C;
constexpr uint32_t kChromeSlate = 0x5868A4;
constexpr uint32_t kChromeGrey = 0xA4A4B4;
constexpr uint32_t kChromeDarkGrey = 0x5C5C70;
constexpr uint32_t kChromeWhite = 0xF4F0E4;
constexpr uint32_t kChromeGold = 0xFCD04C;

// kCanvasWidth x kCanvasHeight pixels, 0x00RRGGBB, rows packed, top row first.
extern uint32_t canvasPixels[kCanvasWidth * kCanvasHeight];

// Every pixel of r that lies on the canvas becomes colour.
void canvasFill(const Rect& r, uint32_t colour);
// A one-pixel outline just inside r.
void canvasFrame(const Rect& r, uint32_t colour);
// UTF-8 text with its top-left corner at (x, y), clipped to the canvas;
// characters the font lacks are skipped. Stops at the end or at a line break.
void canvasText(int32_t x, int32_t y, const char* text, uint32_t colour);
// The width canvasText draws, up to the end or the first line break.
int32_t textWidth(const char* text);
