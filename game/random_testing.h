// What the tests may see of the random generator.
// Only tests include this header; the game never calls these.
#pragma once
#include <cstdint>

#include "game/random.h"

// Where the sequence stands: the generator's current state.
uint32_t randomState();
