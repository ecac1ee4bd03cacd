// The one process-wide pseudo-random generator. The computer player, the
// match, the actors and the sound synthesis all draw from this one state.
#pragma once
#include <cstdint>

// Sets the generator's 32-bit state.
void seedRandom(uint32_t seed);

// One draw: advances the state and yields a value 0..32767.
int drawRandom();

// An int from low..high inclusive. First discards (local seconds mod 10)
// draws, so the same position plays differently from second to second.
int randomInRange(int low, int high);
