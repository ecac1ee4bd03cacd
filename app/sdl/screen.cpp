// Presentation for the SDL shell: the game's frame goes into the canvas below
// the menu bar and the changed rows are magnified into the window surface.
#include "app/sdl/screen.h"

#include <SDL.h>

#include <cstring>

#include "app/sdl/canvas.h"
#include "app/sdl/menu_bar.h"
#include "gfx/gfx_shell.h"

namespace {
constexpr int32_t kFramePixels = kScreenWidth * kScreenHeight;
// The window may take two thirds of the display's usable area.
constexpr int32_t kDisplayShareNumerator = 2;
constexpr int32_t kDisplayShareDenominator = 3;
constexpr int32_t kXrgbRedMask = 0x00FF0000;
constexpr int32_t kXrgbGreenMask = 0x0000FF00;
constexpr int32_t kXrgbBlueMask = 0x000000FF;
constexpr int kPresentFailed = -2;

SDL_Window* window = nullptr;
int scale = kMinScale;
// The game's last presented frame, kept to put back after a menu or dialog.
uint32_t lastFrame[kFramePixels];

int32_t floorDivide(int32_t value, int32_t divisor) {
  int32_t quotient = value / divisor;
  if ((value % divisor != 0) && ((value < 0) != (divisor < 0))) quotient -= 1;
  return quotient;
}

bool surfaceIsXrgb(const SDL_Surface* surface) {
  const SDL_PixelFormat* f = surface->format;
  return f->BytesPerPixel == 4 && f->Rmask == static_cast<Uint32>(kXrgbRedMask) &&
         f->Gmask == static_cast<Uint32>(kXrgbGreenMask) && f->Bmask == static_cast<Uint32>(kXrgbBlueMask);
}

void storePixel(uint8_t* at, int bytesPerPixel, Uint32 value) {
  switch (bytesPerPixel) {
    case 4: std::memcpy(at, &value, 4); break;
    case 2: {
      Uint16 v = static_cast<Uint16>(value);
      std::memcpy(at, &v, 2);
      break;
    }
    case 3: std::memcpy(at, &value, 3); break;  // little-endian: the low three bytes
    default: *at = static_cast<uint8_t>(value); break;
  }
}

// Magnifies canvas rows [firstRow, endRow) into the surface: each canvas row
// is widened once into the first of its window rows, then copied down.
void magnifyRows(SDL_Surface* surface, int32_t firstRow, int32_t endRow) {
  const bool xrgb = surfaceIsXrgb(surface);
  const int bytesPerPixel = surface->format->BytesPerPixel;
  const int32_t rowBytes = kCanvasWidth * scale * bytesPerPixel;
  uint8_t* base = static_cast<uint8_t*>(surface->pixels);
  Uint32 lastColour = 0xFFFFFFFFu, lastNative = 0;
  for (int32_t row = firstRow; row < endRow; ++row) {
    uint8_t* first = base + static_cast<size_t>(row) * scale * surface->pitch;
    const uint32_t* in = canvasPixels + row * kCanvasWidth;
    uint8_t* out = first;
    for (int32_t x = 0; x < kCanvasWidth; ++x) {
      Uint32 native = in[x];
      if (!xrgb) {
        if (in[x] != lastColour) {
          lastColour = in[x];
          lastNative = SDL_MapRGB(surface->format, static_cast<Uint8>(in[x] >> 16), static_cast<Uint8>(in[x] >> 8),
                                  static_cast<Uint8>(in[x]));
        }
        native = lastNative;
      }
      for (int i = 0; i < scale; ++i, out += bytesPerPixel) storePixel(out, bytesPerPixel, native);
    }
    for (int i = 1; i < scale; ++i) std::memcpy(first + static_cast<size_t>(i) * surface->pitch, first, rowBytes);
  }
}

// Shows canvas rows [firstRow, endRow) in the window. Returns kGfxOk or an
// error code.
int32_t showRows(int32_t firstRow, int32_t endRow) {
  if (window == nullptr || firstRow >= endRow) return kGfxOk;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) return kPresentFailed;
  if (surface->w < windowWidthFor(scale) || surface->h < windowHeightFor(scale)) return kPresentFailed;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return kPresentFailed;
  magnifyRows(surface, firstRow, endRow);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_Rect changed = {0, firstRow * scale, kCanvasWidth * scale, (endRow - firstRow) * scale};
  return SDL_UpdateWindowSurfaceRects(window, &changed, 1) == 0 ? kGfxOk : kPresentFailed;
}

void copyFrameToCanvas() {
  std::memcpy(canvasPixels + kMenuBarHeight * kCanvasWidth, lastFrame, sizeof lastFrame);
}
}  // namespace

int chooseScale(int32_t usableWidth, int32_t usableHeight) {
  int best = kMinScale;
  for (int s = kMinScale; s <= kMaxDefaultScale; ++s) {
    // Compared as products so that nothing is lost to rounding.
    bool fits = static_cast<int64_t>(windowWidthFor(s)) * kDisplayShareDenominator <=
                    static_cast<int64_t>(usableWidth) * kDisplayShareNumerator &&
                static_cast<int64_t>(windowHeightFor(s)) * kDisplayShareDenominator <=
                    static_cast<int64_t>(usableHeight) * kDisplayShareNumerator;
    if (fits) best = s;
  }
  return best;
}

int32_t windowWidthFor(int s) { return kCanvasWidth * s; }
int32_t windowHeightFor(int s) { return kCanvasHeight * s; }

int32_t clientPixelX(int32_t windowX, int s) { return floorDivide(windowX, s); }
int32_t clientPixelY(int32_t windowY, int s) { return floorDivide(windowY - kMenuBarHeight * s, s); }
int32_t canvasPixel(int32_t windowCoordinate, int s) { return floorDivide(windowCoordinate, s); }

void openScreen(SDL_Window* w, int s) {
  window = w;
  scale = s;
  std::memset(lastFrame, 0, sizeof lastFrame);
  drawMenuBar(-1);
  copyFrameToCanvas();
}

void closeScreen() { window = nullptr; }

int screenScale() { return scale; }

SDL_Window* screenWindow() { return window; }

void showCanvas() { showRows(0, kCanvasHeight); }

void restoreCanvas() {
  drawMenuBar(-1);
  copyFrameToCanvas();
  showCanvas();
}

void repaintScreen() { showCanvas(); }

int32_t shellPresentFrame(const uint32_t* pixels, int32_t width, int32_t height) {
  if (pixels == nullptr || width != kScreenWidth || height != kScreenHeight) return kGfxRefused;
  // Only the rows that changed since the last frame are magnified and sent:
  // most frames of this game change a few rows, many change none.
  int32_t first = kScreenHeight, end = 0;
  for (int32_t row = 0; row < kScreenHeight; ++row) {
    if (std::memcmp(lastFrame + row * kScreenWidth, pixels + row * kScreenWidth, kScreenWidth * sizeof(uint32_t)) == 0)
      continue;
    if (first == kScreenHeight) first = row;
    end = row + 1;
  }
  if (first == kScreenHeight) return kGfxOk;
  std::memcpy(lastFrame, pixels, sizeof lastFrame);
  copyFrameToCanvas();
  return showRows(kMenuBarHeight + first, kMenuBarHeight + end);
}
