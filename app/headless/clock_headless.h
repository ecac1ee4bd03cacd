// Controls of the headless shell's virtual clock, for the tool and the tests.
#pragma once
#include <cstdint>

// Fixes the seconds that shellLocalSeconds() reports (0..59); a negative value
// returns to the real local time.
void setHeadlessSeconds(int seconds);

// Sets the virtual millisecond counter, for example just before the wrap.
void setHeadlessTicks(uint32_t ticks);

// 1: the real monotonic clock and real sleeps (for watching a replay at
// speed); 0: the virtual clock (the default).
void setHeadlessRealTime(int on);

// A frame wait that sleeps until a tick already reached, over and over, would
// spin for ever on the virtual clock. After this many sleeps in a row that did
// not move it, the clock counts as stalled and the shell ends the run.
constexpr uint32_t kHeadlessStillSleepLimit = 1000000;

// 1 while the last kHeadlessStillSleepLimit sleeps (or more) all left the clock where it was.
int headlessClockStalled();
