// What the tests may do to the frame grid.
// Only tests include this header; the game never calls these.
#pragma once
#include <cstdint>

#include "host/frame.h"

// The tick of the last frame presented (0 at program start).
uint32_t lastFrameTick();
// Puts the grid's last tick at tick, as if a frame had been presented then.
void setLastFrameTick(uint32_t tick);
