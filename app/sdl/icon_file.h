// Reading the icon (.ico) and cursor (.cur) files embedded in the executable.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kIconMaxSide = 64;

struct IconImage {
  int32_t width;
  int32_t height;
  int32_t hotX;  // cursors only; 0 for icons
  int32_t hotY;
  // 0xAARRGGBB, top row first. A see-through pixel has alpha 0 and keeps the
  // colour its cursor gives it: white there means "invert the screen".
  uint32_t pixels[kIconMaxSide * kIconMaxSide];
};

// Decodes the largest image (at most kIconMaxSide square) of an icon or
// cursor file. 1 on success, 0 for anything malformed or unsupported.
int decodeIconFile(const uint8_t* bytes, size_t size, IconImage* image);

// The image as the two bit planes of a monochrome cursor, rows of
// (width + 7) / 8 bytes, leftmost pixel in the highest bit: mask set for an
// opaque pixel, data set for black (opaque) or inverting (see-through).
// 0 when the planes do not fit in capacity bytes each.
int cursorPlanes(const IconImage& image, uint8_t* data, uint8_t* mask, size_t capacity);
