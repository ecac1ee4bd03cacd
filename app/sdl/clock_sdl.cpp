// The SDL shell's clock: SDL's millisecond counter, sleeps that end early
// when an event arrives, and the local time.
#include <SDL.h>

#include <ctime>

#include "host/clock.h"

namespace {
constexpr int kSecondsPerMinute = 60;
}

uint32_t tickCount() { return SDL_GetTicks(); }

// Ends as soon as an event is waiting, so the pump sees it at once; an idle
// frame wakes the process once.
void sleepUntil(uint32_t tick) {
  const int32_t ahead = static_cast<int32_t>(tick - SDL_GetTicks());
  if (ahead > 0) SDL_WaitEventTimeout(nullptr, ahead);
}

int shellLocalSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // tm_sec may read 60 during a leap second; the game expects 0..59.
  return local.tm_sec % kSecondsPerMinute;
}
