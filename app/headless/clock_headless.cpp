// Headless clock: virtual time that moves only when the game sleeps, so a run
// takes the same frames on every machine; the seconds can be fixed.
#include "app/clock.h"
#include "app/headless/headless_clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace {
uint32_t virtualTicks = 0;
int fixedSeconds = -1;
int realTime = 0;

uint32_t realTicks() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
}  // namespace

uint32_t tickCount() { return realTime ? realTicks() : virtualTicks; }

void sleepMs(uint32_t ms) {
  if (realTime) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  else virtualTicks += ms;
}

int localSeconds() {
  if (fixedSeconds >= 0) return fixedSeconds;
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);  // the cross-built tool: MinGW has no localtime_r
#else
  localtime_r(&now, &local);
#endif
  // tm_sec may read 60 during a leap second; the game expects 0..59.
  return local.tm_sec % 60;
}

void setHeadlessSeconds(int seconds) { fixedSeconds = seconds < 0 ? -1 : seconds % 60; }

void setHeadlessTicks(uint32_t ticks) { virtualTicks = ticks; }

void setHeadlessRealTime(int on) { realTime = on ? 1 : 0; }
