// The clock seam on the Windows multimedia timer, Sleep and the local time.
#include <windows.h>
#include <mmsystem.h>

#include "host/clock.h"

namespace {
constexpr DWORD kStepMs = 1;
}  // namespace

// A 1 ms counter with GetTickCount's 32-bit wrap; GetTickCount itself moves
// in steps of 10-16 ms on a stock system, too coarse for a 20 ms grid.
uint32_t tickCount() { return timeGetTime(); }

// The Windows program waits as it was designed to: one 1 ms step at a time,
// the frame wait pumping the messages and looking at the clock after each,
// so a message is handled within a millisecond of its arrival.
void sleepUntil(uint32_t tick) {
  if (static_cast<int32_t>(tick - timeGetTime()) > 0) Sleep(kStepMs);
}

int shellLocalSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wSecond;
}
