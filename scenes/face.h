// The opponent's face beside the board, and the screen wipe that carries the
// last picture of a scene off to the right.
#pragma once
#include <cstdint>

#include "scenes/actors.h"

// Both are Actor records kept outside the actor table.
extern Actor faceActor;
extern Actor wipeActor;
extern uint32_t faceFrameCounter;  // never reset: the flipping phase runs on

void resetFace();
void updateFace();
void drawFace(int offsetX, int offsetY);

void clearWipe();
void startWipe();
void updateWipe();
void drawWipe();
