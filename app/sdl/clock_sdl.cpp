// The SDL shell's clock: SDL's millisecond counter, sleeps that end early
// when an event arrives, and the local time.
#include <SDL.h>

#include <ctime>

#include "app/clock.h"
#include "app/frame.h"
#include "app/recorder.h"

namespace {
constexpr int kSecondsPerMinute = 60;
}

uint32_t tickCount() { return SDL_GetTicks(); }

// The frame wait sleeps 1 ms at a time until the next 20 ms tick, pumping
// messages in between. Waking a thousand times a second costs a few percent
// of a core on its own, so the sleep lasts until that tick instead, but ends
// as soon as an event is waiting: the pump then sees it no later than it
// would have, and an idle frame wakes the process once.
void sleepMs(uint32_t ms) {
  const uint32_t untilTick = frameClock + kFrameMs - SDL_GetTicks();
  uint32_t wait = ms;
  if (untilTick <= kFrameMs && untilTick > wait) wait = untilTick;
  SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
}

int localSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // tm_sec may read 60 during a leap second; the game expects 0..59.
  return recordSecondsRead(local.tm_sec % kSecondsPerMinute);
}
