// A small PNG writer: 8-bit RGB or RGBA, no filtering, the scanlines
// compressed by zlib at its best level. The same pixels give the same bytes
// on every run.
#pragma once
#include <cstdint>
#include <vector>

// The PNG file for width x height pixels given as 0x00RRGGBB, top row first.
std::vector<uint8_t> encodePng(const uint32_t* pixels, int width, int height);
// The same with the alpha of 0xAARRGGBB pixels kept (0 is see-through).
std::vector<uint8_t> encodePngWithAlpha(const uint32_t* pixels, int width, int height);
