// The clock seam on the Windows multimedia timer, Sleep and the local time.
#include <windows.h>
#include <mmsystem.h>

#include "app/clock.h"

// A 1 ms counter with GetTickCount's 32-bit wrap; GetTickCount itself moves
// in steps of 10-16 ms on a stock system, too coarse for a 20 ms grid.
uint32_t tickCount() { return timeGetTime(); }

void sleepMs(uint32_t ms) { Sleep(ms); }

int localSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wSecond;
}
