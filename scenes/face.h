// The opponent's face beside the board, and the screen wipe that carries the
// last picture of a scene off to the right.
#pragma once
#include <cstdint>

#include "scenes/actors.h"

void resetFace();
void updateFace();
void drawFace(int offsetX, int offsetY);

void clearWipe();
void startWipe();
void updateWipe();
void drawWipe();

// 1 while the wipe runs, with its left edge in pixels in *x (for the trace).
int wipeRunning(int32_t* x);
