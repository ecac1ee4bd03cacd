// The palette bitmap decoder: every offset and length is checked against the
// buffer before it is read, in 64-bit arithmetic so nothing can wrap.
#include "gfx/bmp_decode.h"

namespace {
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kMagicAndSizeFields = kFileHeaderSize + 4;  // up to the info header's size field
constexpr uint32_t kNoCompression = 0;
constexpr size_t kPaletteEntrySize = 4;  // blue, green, red, unused

// Offsets in the file.
constexpr size_t kPixelOffsetField = 10;
constexpr size_t kInfoSizeField = 14;
constexpr size_t kWidthField = 18;
constexpr size_t kHeightField = 22;
constexpr size_t kPlanesField = 26;
constexpr size_t kBitsField = 28;
constexpr size_t kCompressionField = 30;
constexpr size_t kColoursUsedField = 46;

struct BitmapLayout {
  int width;
  int height;
  bool topDown;
  int bitsPerPixel;
  uint32_t paletteColours;
  size_t paletteOffset;
  size_t pixelOffset;
  size_t rowStride;
};

uint32_t readU16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }

uint32_t readU32(const uint8_t* p) { return readU16(p) | (readU16(p + 2) << 16); }

// The info header sizes whose first 40 bytes share one layout.
bool knownInfoHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool supportedDepth(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8; }

bool readLayout(const uint8_t* bytes, size_t size, BitmapLayout* layout) {
  if (bytes == nullptr || size < kMagicAndSizeFields) return false;
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t infoSize = readU32(bytes + kInfoSizeField);
  if (!knownInfoHeaderSize(infoSize)) return false;
  const uint64_t paletteOffset = kFileHeaderSize + static_cast<uint64_t>(infoSize);
  if (paletteOffset > size) return false;

  const int64_t width = static_cast<int32_t>(readU32(bytes + kWidthField));
  const int64_t signedHeight = static_cast<int32_t>(readU32(bytes + kHeightField));
  const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
  if (width < 1 || width > kBitmapMaxSide || height < 1 || height > kBitmapMaxSide) return false;
  if (readU16(bytes + kPlanesField) != 1) return false;
  const uint32_t bits = readU16(bytes + kBitsField);
  if (!supportedDepth(bits)) return false;
  if (readU32(bytes + kCompressionField) != kNoCompression) return false;

  const uint32_t maxColours = 1u << bits;
  uint32_t colours = readU32(bytes + kColoursUsedField);
  if (colours == 0) colours = maxColours;
  if (colours > maxColours) return false;
  const uint64_t paletteEnd = paletteOffset + static_cast<uint64_t>(colours) * kPaletteEntrySize;
  const uint64_t pixelOffset = readU32(bytes + kPixelOffsetField);
  if (pixelOffset < paletteEnd) return false;

  // Rows are padded to whole 32-bit words.
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  if (pixelOffset + stride * static_cast<uint64_t>(height) > size) return false;

  layout->width = static_cast<int>(width);
  layout->height = static_cast<int>(height);
  layout->topDown = signedHeight < 0;
  layout->bitsPerPixel = static_cast<int>(bits);
  layout->paletteColours = colours;
  layout->paletteOffset = static_cast<size_t>(paletteOffset);
  layout->pixelOffset = static_cast<size_t>(pixelOffset);
  layout->rowStride = static_cast<size_t>(stride);
  return true;
}

// The palette index of pixel x of a row; the leftmost pixel sits in the
// highest bits of its byte.
uint32_t paletteIndexAt(const uint8_t* row, int x, int bitsPerPixel) {
  const int perByte = 8 / bitsPerPixel;
  const uint32_t byte = row[x / perByte];
  const int shift = 8 - bitsPerPixel * (x % perByte + 1);
  return (byte >> shift) & ((1u << bitsPerPixel) - 1);
}
}  // namespace

int readBitmapSize(const uint8_t* bytes, size_t size, int* width, int* height) {
  BitmapLayout layout;
  if (!readLayout(bytes, size, &layout)) return 0;
  *width = layout.width;
  *height = layout.height;
  return 1;
}

int decodeBitmap(const uint8_t* bytes, size_t size, uint32_t* pixels, size_t capacity, int* width,
                 int* height) {
  BitmapLayout layout;
  if (!readLayout(bytes, size, &layout)) return 0;
  const size_t count = static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height);
  if (pixels == nullptr || count > capacity) return 0;

  const uint8_t* palette = bytes + layout.paletteOffset;
  for (int y = 0; y < layout.height; ++y) {
    // Stored rows run bottom-up unless the height was negative.
    const int storedRow = layout.topDown ? y : layout.height - 1 - y;
    const uint8_t* row = bytes + layout.pixelOffset + static_cast<size_t>(storedRow) * layout.rowStride;
    uint32_t* out = pixels + static_cast<size_t>(y) * layout.width;
    for (int x = 0; x < layout.width; ++x) {
      const uint32_t index = paletteIndexAt(row, x, layout.bitsPerPixel);
      if (index >= layout.paletteColours) return 0;
      const uint8_t* entry = palette + index * kPaletteEntrySize;
      out[x] = (static_cast<uint32_t>(entry[2]) << 16) | (static_cast<uint32_t>(entry[1]) << 8) | entry[0];
    }
  }
  *width = layout.width;
  *height = layout.height;
  return 1;
}
