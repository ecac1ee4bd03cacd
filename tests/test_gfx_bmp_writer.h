// Writes palette bitmaps for the gfx tests, the test-picture generator and
// the fuzz seeds, plus the file offsets the tests poke to break them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct TestBitmap {
  int width;
  int height;
  int bitsPerPixel;  // 1, 4 or 8
  bool topDown;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint8_t> indices;   // width * height, top row first
};

constexpr size_t kBmpPixelOffsetAt = 10;
constexpr size_t kBmpInfoSizeAt = 14;
constexpr size_t kBmpWidthAt = 18;
constexpr size_t kBmpHeightAt = 22;
constexpr size_t kBmpPlanesAt = 26;
constexpr size_t kBmpBitsAt = 28;
constexpr size_t kBmpCompressionAt = 30;
constexpr size_t kBmpColoursUsedAt = 46;
constexpr size_t kBmpPaletteAt = 54;

inline void putU16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void putU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  putU16(b, at, v & 0xFFFFu);
  putU16(b, at + 2, v >> 16);
}

// A 40-byte info header, colours-used set to the palette's length.
inline std::vector<uint8_t> encodeBitmap(const TestBitmap& picture) {
  const size_t stride = ((static_cast<size_t>(picture.width) * picture.bitsPerPixel + 31) / 32) * 4;
  const size_t pixelOffset = kBmpPaletteAt + 4 * picture.palette.size();
  const size_t fileSize = pixelOffset + stride * picture.height;
  std::vector<uint8_t> b(fileSize, 0);
  b[0] = 'B';
  b[1] = 'M';
  putU32(b, 2, static_cast<uint32_t>(fileSize));
  putU32(b, kBmpPixelOffsetAt, static_cast<uint32_t>(pixelOffset));
  putU32(b, kBmpInfoSizeAt, 40);
  putU32(b, kBmpWidthAt, static_cast<uint32_t>(picture.width));
  putU32(b, kBmpHeightAt, static_cast<uint32_t>(picture.topDown ? -picture.height : picture.height));
  putU16(b, kBmpPlanesAt, 1);
  putU16(b, kBmpBitsAt, static_cast<uint32_t>(picture.bitsPerPixel));
  putU32(b, kBmpColoursUsedAt, static_cast<uint32_t>(picture.palette.size()));
  for (size_t i = 0; i < picture.palette.size(); ++i) {
    const uint32_t c = picture.palette[i];
    b[kBmpPaletteAt + 4 * i] = static_cast<uint8_t>(c);
    b[kBmpPaletteAt + 4 * i + 1] = static_cast<uint8_t>(c >> 8);
    b[kBmpPaletteAt + 4 * i + 2] = static_cast<uint8_t>(c >> 16);
  }
  const int perByte = 8 / picture.bitsPerPixel;
  for (int y = 0; y < picture.height; ++y) {
    const int storedRow = picture.topDown ? y : picture.height - 1 - y;
    uint8_t* row = b.data() + pixelOffset + stride * storedRow;
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t index = picture.indices[static_cast<size_t>(y) * picture.width + x];
      const int shift = 8 - picture.bitsPerPixel * (x % perByte + 1);
      row[x / perByte] = static_cast<uint8_t>(row[x / perByte] | (index << shift));
    }
  }
  return b;
}

// The expected decoding: the palette colour of every index, top row first.
inline std::vector<uint32_t> expectedPixels(const TestBitmap& picture) {
  std::vector<uint32_t> out;
  for (uint8_t index : picture.indices) out.push_back(picture.palette[index]);
  return out;
}

// A 6 x 6 glyph, 8 bits per pixel, where every pixel has its own colour
// 0x00RRGGBB = 0x00XXYY01 (column x, row y), so a test can tell exactly
// which pixels a copy moved.
inline TestBitmap glyphPicture() {
  TestBitmap p{6, 6, 8, false, {0}, {}};
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      p.palette.push_back((static_cast<uint32_t>(x) << 16) | (static_cast<uint32_t>(y) << 8) | 1u);
      p.indices.push_back(static_cast<uint8_t>(p.palette.size() - 1));
    }
  }
  return p;
}

constexpr uint32_t glyphColour(int x, int y) {
  return (static_cast<uint32_t>(x) << 16) | (static_cast<uint32_t>(y) << 8) | 1u;
}

// A 160 x 60 background, 4 bits per pixel, with no black pixel: index
// 1 + (x + y) % 15.
inline TestBitmap backgroundPicture() {
  TestBitmap p{160, 60, 4, false, {}, {}};
  for (uint32_t i = 0; i < 16; ++i) p.palette.push_back(i * 0x00101010u + 0x00030201u);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 160; ++x) p.indices.push_back(static_cast<uint8_t>(1 + (x + y) % 15));
  }
  return p;
}

// 4 x 4, 4 bits, stored top-down, black on a checkerboard: index 0 (black)
// where x + y is even, index 1 (white) elsewhere.
inline TestBitmap checkerPicture() {
  TestBitmap p{4, 4, 4, true, {0x000000, 0xFFFFFF}, {}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) p.indices.push_back(static_cast<uint8_t>((x + y) % 2));
  }
  return p;
}

// 11 x 3, 1 bit, bottom-up: a width that leaves padding in every row.
inline TestBitmap monoPicture() {
  TestBitmap p{11, 3, 1, false, {0x000000, 0x40A0FF}, {}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 11; ++x) p.indices.push_back(static_cast<uint8_t>((x * 3 + y) % 2));
  }
  return p;
}
