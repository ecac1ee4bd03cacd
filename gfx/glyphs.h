// The 8-pixel bitmap font: the SDL shell's menu bar and dialogs, and the
// software back end's drawText.
#pragma once
#include <cstdint>

constexpr int kGlyphRows = 8;

struct Glyph {
  uint32_t codepoint;
  uint8_t width;             // 4 for ASCII, 8 for the full-width characters
  uint8_t rows[kGlyphRows];  // top row first, leftmost pixel in bit 7
};

// The glyph of a Unicode code point; nullptr when the font has none.
const Glyph* findGlyph(uint32_t codepoint);

// The next code point of UTF-8 text, advancing *text; malformed bytes come
// out one at a time as U+FFFD. 0 at the terminating zero (not advanced).
uint32_t nextCodepoint(const char** text);

// UTF-8 text with its top-left corner at (x, y) on a width x height picture
// (0x00RRGGBB, rows packed): only the glyphs' set pixels become colour, and
// only those on the picture. Characters the font lacks are skipped. Stops at
// the end or at a line break.
void drawGlyphText(uint32_t* pixels, int32_t width, int32_t height, int32_t x, int32_t y, const char* text,
                   uint32_t colour);
