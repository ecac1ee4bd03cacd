// The clock seam: each shell (Win32, SDL, headless) links its own version.
#pragma once
#include <cstdint>

// Milliseconds since some start, wrapping at 2^32. Compare two readings by
// their difference, never by their sum: the counter wraps every 49.7 days.
uint32_t tickCount();

// Gives up the processor for about ms milliseconds.
void sleepMs(uint32_t ms);

// The seconds field (0..59) of the local wall-clock time. The computer
// player's random choices depend on it.
int localSeconds();
