// What the tests may do to the input state.
// Only tests include this header; the game never calls these.
#pragma once

#include "host/input.h"

// Held bits, edges, the quick-press latches and keyboard play back to
// program start.
void resetInputState();
