// Icon and cursor files: a directory of images, each a bitmap of double
// height (the colours, then the see-through mask). The colours are decoded by
// the game's own bitmap decoder after a file header is put in front.
#include "app/sdl/icon_file.h"

#include <cstring>

#include "gfx/bmp_decode.h"

namespace {
constexpr size_t kDirectoryBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr uint32_t kIconType = 1;
constexpr uint32_t kCursorType = 2;
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kPaletteEntryBytes = 4;
constexpr uint32_t kMaxPaletteColours = 256;
constexpr size_t kHeaderHeightField = 8;  // within the info header
constexpr size_t kHeaderBitsField = 14;
constexpr size_t kHeaderColoursField = 32;
constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kColourBits = 0x00FFFFFFu;
constexpr uint32_t kBrightnessThreshold = 0x80 * 3;

// Room for the largest bitmap an entry may hold: headers, a full palette
// and 8-bit colour rows.
constexpr size_t kScratchBytes = kFileHeaderBytes + kInfoHeaderBytes + kMaxPaletteColours * kPaletteEntryBytes +
                                 static_cast<size_t>(kIconMaxSide) * kIconMaxSide;
uint8_t scratch[kScratchBytes];
uint32_t colours[kIconMaxSide * kIconMaxSide];

uint32_t readU16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }
uint32_t readU32(const uint8_t* p) { return readU16(p) | (readU16(p + 2) << 16); }

void writeU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

size_t rowBytes(int32_t width, uint32_t bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

bool bright(uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) >= kBrightnessThreshold;
}
}  // namespace

int decodeIconFile(const uint8_t* bytes, size_t size, IconImage* image) {
  if (bytes == nullptr || size < kDirectoryBytes || readU16(bytes) != 0) return 0;
  const uint32_t type = readU16(bytes + 2);
  if (type != kIconType && type != kCursorType) return 0;
  const uint32_t count = readU16(bytes + 4);
  if (count == 0 || kDirectoryBytes + static_cast<uint64_t>(count) * kEntryBytes > size) return 0;

  // The largest image that fits.
  const uint8_t* best = nullptr;
  int32_t bestSide = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes + kDirectoryBytes + i * kEntryBytes;
    const int32_t side = entry[0] == 0 ? 256 : entry[0];
    if (side <= kIconMaxSide && side > bestSide) {
      best = entry;
      bestSide = side;
    }
  }
  if (best == nullptr) return 0;
  const uint64_t bodySize = readU32(best + 8), bodyOffset = readU32(best + 12);
  if (bodyOffset + bodySize > size || bodySize < kInfoHeaderBytes) return 0;
  const uint8_t* body = bytes + bodyOffset;
  if (readU32(body) != kInfoHeaderBytes) return 0;

  const uint32_t bits = readU16(body + kHeaderBitsField);
  if (bits != 1 && bits != 4 && bits != 8) return 0;
  uint32_t paletteColours = readU32(body + kHeaderColoursField);
  if (paletteColours == 0) paletteColours = 1u << bits;
  if (paletteColours > (1u << bits)) return 0;
  const int32_t width = static_cast<int32_t>(readU32(body + 4));
  const int32_t doubleHeight = static_cast<int32_t>(readU32(body + kHeaderHeightField));
  if (width < 1 || width > kIconMaxSide || doubleHeight < 2 || doubleHeight % 2 != 0) return 0;
  const int32_t height = doubleHeight / 2;
  if (height > kIconMaxSide) return 0;

  // Colour rows first, then the mask rows, both bottom-up.
  const size_t paletteBytes = paletteColours * kPaletteEntryBytes;
  const size_t colourBytes = rowBytes(width, bits) * static_cast<size_t>(height);
  const size_t maskStride = rowBytes(width, 1);
  const size_t maskOffset = kInfoHeaderBytes + paletteBytes + colourBytes;
  if (maskOffset + maskStride * static_cast<size_t>(height) > bodySize) return 0;

  // The colours as a bitmap file of the true height.
  const size_t bitmapBytes = kFileHeaderBytes + maskOffset;
  if (bitmapBytes > kScratchBytes) return 0;
  std::memset(scratch, 0, kFileHeaderBytes);
  scratch[0] = 'B';
  scratch[1] = 'M';
  writeU32(scratch + 2, static_cast<uint32_t>(bitmapBytes));
  writeU32(scratch + 10, static_cast<uint32_t>(kFileHeaderBytes + kInfoHeaderBytes + paletteBytes));
  std::memcpy(scratch + kFileHeaderBytes, body, maskOffset);
  writeU32(scratch + kFileHeaderBytes + kHeaderHeightField, static_cast<uint32_t>(height));
  int decodedWidth = 0, decodedHeight = 0;
  if (!decodeBitmap(scratch, bitmapBytes, colours, sizeof colours / sizeof colours[0], &decodedWidth, &decodedHeight))
    return 0;

  image->width = width;
  image->height = height;
  image->hotX = type == kCursorType ? static_cast<int32_t>(readU16(best + 4)) : 0;
  image->hotY = type == kCursorType ? static_cast<int32_t>(readU16(best + 6)) : 0;
  const uint8_t* mask = body + maskOffset;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* maskRow = mask + static_cast<size_t>(height - 1 - y) * maskStride;
    for (int32_t x = 0; x < width; ++x) {
      const bool seeThrough = (maskRow[x / 8] >> (7 - x % 8)) & 1;
      const uint32_t rgb = colours[y * width + x] & kColourBits;
      image->pixels[y * width + x] = seeThrough ? rgb : (kOpaque | rgb);
    }
  }
  return 1;
}

int cursorPlanes(const IconImage& image, uint8_t* data, uint8_t* mask, size_t capacity) {
  const size_t stride = (static_cast<size_t>(image.width) + 7) / 8;
  if (stride * static_cast<size_t>(image.height) > capacity) return 0;
  std::memset(data, 0, stride * image.height);
  std::memset(mask, 0, stride * image.height);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint32_t p = image.pixels[y * image.width + x];
      const bool opaque = (p & kOpaque) != 0;
      const bool light = bright(p & kColourBits);
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      if (opaque) mask[y * stride + x / 8] |= bit;
      if (opaque ? !light : light) data[y * stride + x / 8] |= bit;
    }
  }
  return 1;
}
