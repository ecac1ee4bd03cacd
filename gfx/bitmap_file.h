// Bitmap files named relative to the base directory (gfx/base_directory.h),
// shared by every back end: reading one whole.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/base_directory.h"

// Larger files are refused. Far beyond any picture a 160 x 60 game shows: an
// 8-bit picture of 500 x 500 still fits.
constexpr size_t kBitmapFileMaxBytes = size_t{1} << 18;

// The whole file, read into one buffer that the next call overwrites, and its
// size. nullptr when baseFilePath refuses the name, or the file cannot be
// opened or read, or is larger than kBitmapFileMaxBytes.
const uint8_t* readBitmapFile(const char* name, size_t* size);
