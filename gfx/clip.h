// Arithmetic every graphics back end shares, so that all of them draw the
// same: the sprite clipping steps.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

// drawSprite's trims. The right and bottom trims use x and y as passed, before
// the left and top trims move them. A picture wholly outside clip comes out
// as an empty or inverted Rect; the back end then draws nothing. Arithmetic
// is 32-bit two's complement, wrapping rather than undefined on overflow.
void clipSpriteCopy(const Rect& clip, int32_t x, int32_t y, const Rect& source, Rect* clippedSource,
                    Rect* destination);

// source's size placed with its top-left corner at (x, y), unclipped.
Rect placeRect(int32_t x, int32_t y, const Rect& source);

// 1 when r is non-empty and lies within a width x height surface.
int rectInsideSurface(const Rect& r, int32_t width, int32_t height);

// r trimmed to a width x height surface; empty or inverted when it lies
// wholly outside.
Rect trimToSurface(const Rect& r, int32_t width, int32_t height);
