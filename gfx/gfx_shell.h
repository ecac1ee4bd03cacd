// What each shell provides to the graphics back ends, chosen at link time
// like the clock seam.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

// Software back end only: puts the back buffer (width x height pixels,
// 0x00RRGGBB, rows packed, top row first) 1:1 into the window's client area.
// The pixels are only valid during the call. Returns kGfxOk or the shell's
// error code, which present passes on.
int32_t shellPresentFrame(const uint32_t* pixels, int32_t width, int32_t height);
