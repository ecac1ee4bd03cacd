// Drawing the shell's chrome into the canvas: fills, outlines and text.
#include "app/sdl/canvas.h"

#include "app/sdl/glyphs.h"

uint32_t canvasPixels[kCanvasWidth * kCanvasHeight];

namespace {
constexpr uint32_t kReplacement = 0xFFFD;
constexpr int32_t kMissingGlyphWidth = 0;

int32_t clampTo(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

void putPixel(int32_t x, int32_t y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= kCanvasWidth || y >= kCanvasHeight) return;
  canvasPixels[y * kCanvasWidth + x] = colour;
}

// Continuation bytes of a sequence, or -1 for a byte that cannot start one.
int continuationCount(uint8_t lead) {
  if (lead < 0x80) return 0;
  if ((lead & 0xE0) == 0xC0) return 1;
  if ((lead & 0xF0) == 0xE0) return 2;
  if ((lead & 0xF8) == 0xF0) return 3;
  return -1;
}
}  // namespace

uint32_t nextCodepoint(const char** text) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(*text);
  if (*p == 0) return 0;
  int more = continuationCount(*p);
  if (more < 0) {
    *text += 1;
    return kReplacement;
  }
  uint32_t value = more == 0 ? *p : (*p & (0x3Fu >> more));
  for (int i = 1; i <= more; ++i) {
    if ((p[i] & 0xC0) != 0x80) {  // cut short: the lead byte alone is bad
      *text += 1;
      return kReplacement;
    }
    value = (value << 6) | (p[i] & 0x3Fu);
  }
  *text += 1 + more;
  return value;
}

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
  for (uint32_t c = nextCodepoint(&text); c != 0 && c != '\n'; c = nextCodepoint(&text)) {
    const Glyph* glyph = findGlyph(c);
    if (glyph == nullptr) continue;
    for (int row = 0; row < kGlyphRows; ++row)
      for (int column = 0; column < glyph->width; ++column)
        if (glyph->rows[row] & (0x80 >> column)) putPixel(x + column, y + row, colour);
    x += glyph->width;
  }
}

int32_t textWidth(const char* text) {
  int32_t width = 0;
  for (uint32_t c = nextCodepoint(&text); c != 0 && c != '\n'; c = nextCodepoint(&text)) {
    const Glyph* glyph = findGlyph(c);
    width += glyph != nullptr ? glyph->width : kMissingGlyphWidth;
  }
  return width;
}
