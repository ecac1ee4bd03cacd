// The clock seam: each shell (Win32, SDL, page, headless) links its own
// version. The frame grid itself lives in host/frame, which alone sleeps.
#pragma once
#include <cstdint>

// Milliseconds since some start, wrapping at 2^32. Compare two readings by
// their difference, never by their sum: the counter wraps every 49.7 days.
uint32_t tickCount();

// Gives up the processor until tickCount() reaches tick, or sooner when the
// shell hears of input or takes shorter steps (the SDL and page shells wake
// for their events; the Windows shell sleeps one 1 ms step, as the program
// was designed to, and the frame wait calls again; the virtual clock never
// returns early). A tick that is not ahead of now returns at once.
void sleepUntil(uint32_t tick);

// The shell's reading of the seconds field (0..59) of the local wall-clock
// time.
int shellLocalSeconds();

// What the computer player's random choices read: the shell's seconds as the
// recording lets the game see them (host/recording.h).
int localSeconds();
