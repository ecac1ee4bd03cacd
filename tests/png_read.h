// Reads back the PNG files the tools write (tools/png_writer): 8-bit RGB or
// RGBA, unfiltered, not interlaced. Every chunk's CRC and the zlib stream,
// its checksum included, must be sound; anything else is an error.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct PngPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, opaque when the file has no alpha
};

inline uint32_t pngBig32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// The picture in file, or false with what is wrong in *error.
inline bool readPng(const std::vector<uint8_t>& file, PngPicture* picture, std::string* error) {
  if (file.size() < 8 || std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8) != 0) return *error = "not a PNG", false;
  std::vector<uint8_t> zlib;
  int colourType = -1;
  bool ended = false;
  for (size_t at = 8; !ended;) {
    if (file.size() - at < 12) return *error = "cut short", false;
    const uint32_t length = pngBig32(&file[at]);
    if (length > file.size() - at - 12) return *error = "a chunk runs past the end", false;
    const uint8_t* type = &file[at + 4];
    if (crc32(0L, type, length + 4) != pngBig32(type + 4 + length)) return *error = "a chunk's CRC is wrong", false;
    if (std::memcmp(type, "IHDR", 4) == 0 && length == 13) {
      picture->width = static_cast<int>(pngBig32(type + 4));
      picture->height = static_cast<int>(pngBig32(type + 8));
      if (type[12] != 8 || type[16] != 0) return *error = "not 8-bit and plain", false;
      colourType = type[13];
    }
    if (std::memcmp(type, "IDAT", 4) == 0) zlib.insert(zlib.end(), type + 4, type + 4 + length);
    ended = std::memcmp(type, "IEND", 4) == 0;
    at += 12 + length;
  }
  if (colourType != 2 && colourType != 6) return *error = "not RGB or RGBA", false;
  const size_t bytesPerPixel = colourType == 6 ? 4 : 3;
  const size_t stride = 1 + bytesPerPixel * static_cast<size_t>(picture->width);
  std::vector<uint8_t> raw(stride * static_cast<size_t>(picture->height));
  uLongf size = raw.size();
  if (uncompress(raw.data(), &size, zlib.data(), zlib.size()) != Z_OK || size != raw.size())
    return *error = "the image data is not a sound zlib stream of the picture's size", false;
  picture->pixels.clear();
  for (int y = 0; y < picture->height; ++y) {
    const uint8_t* line = &raw[stride * static_cast<size_t>(y)];
    if (line[0] != 0) return *error = "a filtered scanline", false;
    for (int x = 0; x < picture->width; ++x) {
      const uint8_t* p = line + 1 + bytesPerPixel * static_cast<size_t>(x);
      const uint32_t alpha = bytesPerPixel == 4 ? p[3] : 0xFFu;
      picture->pixels.push_back(alpha << 24 | static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2]);
    }
  }
  return true;
}
