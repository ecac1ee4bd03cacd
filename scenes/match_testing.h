// What the tests may do to the turn controller.
// Only tests include this header; the game never calls these.
#pragma once

#include "scenes/match.h"

// Every variable back to its value at program start, the counters that
// survive resetMatch too.
void resetMatchModule();
