// Headless clock: virtual time that moves only when the game sleeps, so a run
// takes the same frames on every machine; the seconds can be fixed.
#include "app/headless/clock_headless.h"
#include "host/clock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {
uint32_t virtualTicks = 0;
int fixedSeconds = -1;
int realTime = 0;
// Sleeps in a row that left the virtual clock where it was. The shell ends
// the run at kHeadlessStillSleepLimit; twice that many means nothing pumps
// messages any more to hear of it, and the process ends here.
uint32_t stillSleeps = 0;
constexpr int kStalledExitStatus = 1;

uint32_t realTicks() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
}  // namespace

uint32_t tickCount() { return realTime ? realTicks() : virtualTicks; }

void sleepUntil(uint32_t tick) {
  const int32_t ahead = static_cast<int32_t>(tick - tickCount());
  if (realTime) {
    if (ahead > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ahead));
    return;
  }
  if (ahead > 0) virtualTicks = tick;
  stillSleeps = ahead > 0 ? 0 : stillSleeps + 1;
  if (stillSleeps >= 2 * kHeadlessStillSleepLimit) {
    std::fprintf(stderr, "pinwick-tool: the virtual clock has not moved through %u sleeps; the game cannot go on\n",
                 stillSleeps);
    std::exit(kStalledExitStatus);
  }
}

int headlessClockStalled() { return stillSleeps >= kHeadlessStillSleepLimit; }

int shellLocalSeconds() {
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
