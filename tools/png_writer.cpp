// PNG writing: the chunks by hand, the image data deflated by zlib.
#include "tools/png_writer.h"

#include <new>

#include <zlib.h>

namespace {

constexpr uint8_t kBitDepth = 8;
constexpr uint8_t kColourTypeRgb = 2;
constexpr uint8_t kColourTypeRgba = 6;
constexpr uint8_t kFilterNone = 0;
constexpr int kBytesPerPixel = 3;
constexpr int kBytesPerPixelAlpha = 4;
// The pictures are flat colours magnified by whole numbers: long repeats
// that the best level finds, and that pay for its time many times over.
constexpr int kCompressionLevel = Z_BEST_COMPRESSION;
const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

// A chunk: length, type, data, and the CRC-32 of type and data.
void putChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  putBig32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBig32(out, static_cast<uint32_t>(crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// The zlib stream of the scanlines. zlib fails here only for want of
// memory, which is reported as any allocation of the encoder would be.
std::vector<uint8_t> deflateScanlines(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> stream(size);
  if (compress2(stream.data(), &size, raw.data(), static_cast<uLong>(raw.size()), kCompressionLevel) != Z_OK)
    throw std::bad_alloc();
  stream.resize(size);
  return stream;
}

// The file for 8-bit RGB, or RGBA when withAlpha (alpha from bits 24..31).
std::vector<uint8_t> encodeImage(const uint32_t* pixels, int width, int height, bool withAlpha) {
  const int bytesPerPixel = withAlpha ? kBytesPerPixelAlpha : kBytesPerPixel;
  // The scanlines: a filter byte (none), then red, green, blue (, alpha).
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
  putChunk(out, "IDAT", deflateScanlines(raw));
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
