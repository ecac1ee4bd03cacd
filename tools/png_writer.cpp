// PNG writing with stored deflate blocks, CRC-32 and Adler-32 done by hand.
#include "tools/png_writer.h"


namespace {

constexpr uint32_t kCrcPolynomial = 0xEDB88320u;  // reflected 0x04C11DB7
constexpr uint32_t kAdlerModulus = 65521;
constexpr size_t kStoredBlockMax = 65535;
constexpr uint8_t kZlibMethod = 0x78;      // deflate, 32 KiB window
constexpr uint8_t kZlibFlags = 0x01;       // no dictionary; 0x7801 is a multiple of 31
constexpr uint8_t kBitDepth = 8;
constexpr uint8_t kColourTypeRgb = 2;
constexpr uint8_t kColourTypeRgba = 6;
constexpr uint8_t kFilterNone = 0;
constexpr int kBytesPerPixel = 3;
constexpr int kBytesPerPixelAlpha = 4;
const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct CrcTable {
  uint32_t entries[256];
};

CrcTable makeCrcTable() {
  CrcTable table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
    table.entries[n] = c;
  }
  return table;
}

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void putChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  putBig32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBig32(out, pngCrc32(out.data() + start, out.size() - start));
}

}  // namespace

uint32_t pngCrc32(const uint8_t* bytes, size_t size) {
  static const CrcTable table = makeCrcTable();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = table.entries[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t pngAdler32(const uint8_t* bytes, size_t size) {
  uint32_t a = 1, b = 0;
  for (size_t i = 0; i < size; ++i) {
    a = (a + bytes[i]) % kAdlerModulus;
    b = (b + a) % kAdlerModulus;
  }
  return (b << 16) | a;
}

namespace {
// The file for 8-bit RGB, or RGBA when withAlpha (alpha from bits 24..31).
std::vector<uint8_t> encodeImage(const uint32_t* pixels, int width, int height, bool withAlpha) {
  const int bytesPerPixel = withAlpha ? kBytesPerPixelAlpha : kBytesPerPixel;
  // The filtered scanlines: a filter byte (none), then red, green, blue (, alpha).
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (1 + static_cast<size_t>(width) * bytesPerPixel));
  for (int y = 0; y < height; ++y) {
    raw.push_back(kFilterNone);
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      raw.push_back(static_cast<uint8_t>(p >> 16));
      raw.push_back(static_cast<uint8_t>(p >> 8));
      raw.push_back(static_cast<uint8_t>(p));
      if (withAlpha) raw.push_back(static_cast<uint8_t>(p >> 24));
    }
  }

  // zlib stream of stored blocks: header bit BFINAL on the last, BTYPE 00,
  // then LEN and its complement NLEN, little-endian.
  std::vector<uint8_t> zlib = {kZlibMethod, kZlibFlags};
  size_t offset = 0;
  do {
    size_t length = raw.size() - offset;
    if (length > kStoredBlockMax) length = kStoredBlockMax;
    bool last = offset + length == raw.size();
    zlib.push_back(last ? 1 : 0);
    zlib.push_back(static_cast<uint8_t>(length));
    zlib.push_back(static_cast<uint8_t>(length >> 8));
    zlib.push_back(static_cast<uint8_t>(~length));
    zlib.push_back(static_cast<uint8_t>(~length >> 8));
    zlib.insert(zlib.end(), raw.begin() + static_cast<long>(offset),
                raw.begin() + static_cast<long>(offset + length));
    offset += length;
  } while (offset < raw.size());
  putBig32(zlib, pngAdler32(raw.data(), raw.size()));

  std::vector<uint8_t> header;
  putBig32(header, static_cast<uint32_t>(width));
  putBig32(header, static_cast<uint32_t>(height));
  header.push_back(kBitDepth);
  header.push_back(withAlpha ? kColourTypeRgba : kColourTypeRgb);
  header.push_back(0);  // deflate
  header.push_back(0);  // adaptive filtering
  header.push_back(0);  // no interlace

  std::vector<uint8_t> out(kSignature, kSignature + sizeof kSignature);
  putChunk(out, "IHDR", header);
  putChunk(out, "IDAT", zlib);
  putChunk(out, "IEND", {});
  return out;
}
}  // namespace

std::vector<uint8_t> encodePng(const uint32_t* pixels, int width, int height) {
  return encodeImage(pixels, width, height, false);
}

std::vector<uint8_t> encodePngWithAlpha(const uint32_t* pixels, int width, int height) {
  return encodeImage(pixels, width, height, true);
}
