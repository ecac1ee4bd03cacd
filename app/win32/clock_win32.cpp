// The clock seam on the Windows multimedia timer, Sleep and the local time.
#include <windows.h>
#include <mmsystem.h>

#include "host/clock.h"

// A 1 ms counter with GetTickCount's 32-bit wrap; GetTickCount itself moves
// in steps of 10-16 ms on a stock system, too coarse for a 20 ms grid.
uint32_t tickCount() { return timeGetTime(); }

// One Sleep to the tick: with the timer at 1 ms (WinMain) it ends on the
// tick or a millisecond after, and the process wakes once a frame.
void sleepUntil(uint32_t tick) {
  const int32_t ahead = static_cast<int32_t>(tick - timeGetTime());
  if (ahead > 0) Sleep(static_cast<DWORD>(ahead));
}

int shellLocalSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wSecond;
}
