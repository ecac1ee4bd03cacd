// The clock seam on the Windows tick counter, Sleep and the local time.
#include <windows.h>

#include "app/clock.h"

uint32_t tickCount() { return GetTickCount(); }

void sleepMs(uint32_t ms) { Sleep(ms); }

int localSeconds() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wSecond;
}
