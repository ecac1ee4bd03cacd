// Read access to the software back end's surfaces, for screenshots and tests.
// Pixels are 0x00RRGGBB, rows packed, top row first.
#pragma once
#include <cstdint>

// The back buffer; nullptr (and 0 x 0) outside initGraphics..shutdownGraphics.
const uint32_t* backBufferPixels(int32_t* width, int32_t* height);

// The surface in a slot; nullptr (and 0 x 0) for an empty or invalid slot.
const uint32_t* surfacePixels(int slot, int32_t* width, int32_t* height);
