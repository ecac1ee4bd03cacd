// Drawing the shell's chrome into the canvas: fills, outlines and text.
#include "app/sdl/canvas.h"

#include "gfx/glyphs.h"

uint32_t canvasPixels[kCanvasWidth * kCanvasHeight];

namespace {
constexpr int32_t kMissingGlyphWidth = 0;

int32_t clampTo(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }
}  // namespace

void canvasFill(const Rect& r, uint32_t colour) {
  const int32_t left = clampTo(r.left, 0, kCanvasWidth), right = clampTo(r.right, 0, kCanvasWidth);
  const int32_t top = clampTo(r.top, 0, kCanvasHeight), bottom = clampTo(r.bottom, 0, kCanvasHeight);
  for (int32_t y = top; y < bottom; ++y)
    for (int32_t x = left; x < right; ++x) canvasPixels[y * kCanvasWidth + x] = colour;
}

void canvasFrame(const Rect& r, uint32_t colour) {
  canvasFill({r.left, r.top, r.right, r.top + 1}, colour);
  canvasFill({r.left, r.bottom - 1, r.right, r.bottom}, colour);
  canvasFill({r.left, r.top, r.left + 1, r.bottom}, colour);
  canvasFill({r.right - 1, r.top, r.right, r.bottom}, colour);
}

void canvasText(int32_t x, int32_t y, const char* text, uint32_t colour) {
  drawGlyphText(canvasPixels, kCanvasWidth, kCanvasHeight, x, y, text, colour);
}

int32_t textWidth(const char* text) {
  int32_t width = 0;
  for (uint32_t c = nextCodepoint(&text); c != 0 && c != '\n'; c = nextCodepoint(&text)) {
    const Glyph* glyph = findGlyph(c);
    width += glyph != nullptr ? glyph->width : kMissingGlyphWidth;
  }
  return width;
}
