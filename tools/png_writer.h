// A small PNG writer of our own: 8-bit RGB or RGBA, the image data in stored
// (uncompressed) deflate blocks, so no compression library is needed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The PNG file for width x height pixels given as 0x00RRGGBB, top row first.
std::vector<uint8_t> encodePng(const uint32_t* pixels, int width, int height);
// The same with the alpha of 0xAARRGGBB pixels kept (0 is see-through).
std::vector<uint8_t> encodePngWithAlpha(const uint32_t* pixels, int width, int height);

// The checksums a PNG needs: CRC-32 of every chunk (ISO 3309, as in zip and
// gzip) and Adler-32 of the zlib stream.
uint32_t pngCrc32(const uint8_t* bytes, size_t size);
uint32_t pngAdler32(const uint8_t* bytes, size_t size);
