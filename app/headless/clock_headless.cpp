// Headless clock: virtual time that moves only when the game sleeps, so a run
// takes the same frames on every machine; the seconds can be fixed.
#include "app/clock.h"
#include "app/headless/headless_clock.h"

#include <ctime>

namespace {
uint32_t virtualTicks = 0;
int fixedSeconds = -1;
}

uint32_t tickCount() { return virtualTicks; }

void sleepMs(uint32_t ms) { virtualTicks += ms; }

int localSeconds() {
  if (fixedSeconds >= 0) return fixedSeconds;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // tm_sec may read 60 during a leap second; the game expects 0..59.
  return local.tm_sec % 60;
}

void setHeadlessSeconds(int seconds) { fixedSeconds = seconds < 0 ? -1 : seconds % 60; }

void setHeadlessTicks(uint32_t ticks) { virtualTicks = ticks; }
