// Decoder for the game's palette bitmaps (1, 4 or 8 bits per pixel,
// uncompressed, bottom-up or top-down), shared by loadBitmap and the picture
// tools. Pure: no state, no allocation, never reads or writes out of bounds.
#pragma once
#include <cstddef>
#include <cstdint>

// Pictures wider or taller than this are refused as malformed.
constexpr int kBitmapMaxSide = 4096;

// Reads only the headers: 1 with *width and *height set when the bytes look
// like a bitmap decodeBitmap could decode (the pixel indices are not checked),
// 0 otherwise.
int readBitmapSize(const uint8_t* bytes, size_t size, int* width, int* height);

// Decodes into pixels (room for capacity pixels) as 0x00RRGGBB, top row first,
// width * height values. 1 on success; 0 for anything malformed or
// unsupported (bad magic, truncation, bit depth, compression, a palette index
// beyond the palette, absurd dimensions, too little capacity). On 0,
// *width and *height are untouched and pixels may hold partial output.
int decodeBitmap(const uint8_t* bytes, size_t size, uint32_t* pixels, size_t capacity, int* width,
                 int* height);
