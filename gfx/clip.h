// Arithmetic every graphics back end shares, so that all of them draw and
// pace the same: the sprite clipping steps and the presentation clock.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

// present waits until this long after the last presentation tick...
constexpr uint32_t kPresentTickMs = 20;
// ...and restarts its pacing from now when it finds itself further behind.
constexpr uint32_t kPresentCatchUpMs = 100;

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

// 1 once now has reached the tick after clock. Differences, not sums, so the
// counter's wrap neither hangs nor rushes the gate.
int presentationTickDue(uint32_t clock, uint32_t now);

// 1 when now is more than kPresentCatchUpMs past clock.
int presentationClockBehind(uint32_t clock, uint32_t now);

// Called by waitFrame once its frame clock has advanced or reset to tick: the
// next present goes out at once and its clock moves to that same tick, so
// frames and presentation keep one grid.
void presentOnFrameTick(uint32_t tick);

// present's gate over the clock seam. After presentOnFrameTick it takes that
// tick and returns without waiting. Otherwise (the start-up present, or a
// second present inside one tick) it polls tickCount (calling
// shellSpinPause between readings, never sleeping) until the tick is due,
// then advances *clock by exactly kPresentTickMs, or resets it to a fresh
// reading when it has fallen more than kPresentCatchUpMs behind. The first
// call of a run finds *clock at 0 and so resets it.
void passPresentationGate(uint32_t* clock);
