// A digest of the drawing calls that made the back buffer since the last
// presentation, for a back end whose copy to the screen is dear (DirectDraw
// under Wine): a frame drawn by the very same calls from unchanged pictures
// is the same picture, and need not be copied again. Every frame of the game
// draws its whole screen afresh, so the calls say everything.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

// A call that drew onto the back buffer: what it was, and its arguments.
void digestDrawing(int32_t call, int32_t slot, const Rect& from, const Rect& to, uint32_t value);
void digestText(int32_t x, int32_t y, const char* text, uint32_t colour);

// A picture's pixels changed, or the screen lost what it showed (exposed,
// restored): the next frame is copied whatever its calls.
void forgetPresentedFrame();

// Present, with where the frame goes on the screen: 1 when it must be copied
// (it differs from the one last copied there); the next frame's digest starts.
int frameNeedsCopying(const Rect& destination);
