// The SDL window's picture: the canvas magnified by a whole factor with
// sharp pixels, written straight into the window surface (no renderer, so
// no graphics driver stack is loaded).
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

struct SDL_Window;

constexpr int kMinScale = 1;
constexpr int kMaxDefaultScale = 6;
constexpr int kMaxScale = 16;  // the most --scale accepts

// The largest factor up to kMaxDefaultScale whose window fits in two thirds
// of the usable display area; at least kMinScale.
int chooseScale(int32_t usableWidth, int32_t usableHeight);

// Window size for a factor: the canvas (menu bar and client area) magnified.
int32_t windowWidthFor(int scale);
int32_t windowHeightFor(int scale);

// A window position (pixels from the window's top-left corner) in game
// pixels of the client area: divided by the factor rounding toward minus
// infinity, after taking off the magnified menu bar. Not clamped.
int32_t clientPixelX(int32_t windowX, int scale);
int32_t clientPixelY(int32_t windowY, int scale);
// The same position in canvas pixels (menu bar included).
int32_t canvasPixel(int32_t windowCoordinate, int scale);

// Start-up: the window the canvas goes to, and its factor. Draws the menu bar.
void openScreen(SDL_Window* window, int scale);
// Shutdown: forgets the window.
void closeScreen();
int screenScale();
SDL_Window* screenWindow();

// Puts the whole canvas into the window now (after a menu or dialog changed it).
void showCanvas();
// Puts the menu bar and the last game frame back onto the canvas, covering
// any menu or dialog, and shows it.
void restoreCanvas();
// The window's contents were lost (exposed): show the canvas again.
void repaintScreen();
