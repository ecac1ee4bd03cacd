// The bitmap font of the SDL shell's menu bar and dialogs.
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
