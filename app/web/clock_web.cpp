// The page's clock: the page's millisecond counter, sleeps that hand the
// thread back to the browser, and the local time.
#include <emscripten.h>

#include <ctime>

#include "app/clock.h"
#include "app/frame.h"
#include "app/recorder.h"

namespace {
constexpr int kSecondsPerMinute = 60;
}

// Milliseconds since the page's navigation began.
uint32_t tickCount() { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }

// The browser runs the page's events only while the game sleeps, so every
// sleep yields. Waking a thousand times a second would cost a browser far
// more than a desktop, so the frame wait's short steps sleep on to the
// frame's tick: the events that arrive meanwhile are queued, and the pump
// takes them just before the tick as it would have.
void sleepMs(uint32_t ms) {
  const uint32_t untilTick = frameClock + kFrameMs - tickCount();
  uint32_t wait = ms;
  if (untilTick <= kFrameMs && untilTick > wait) wait = untilTick;
  emscripten_sleep(wait);
}

int localSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return recordSecondsRead(local.tm_sec % kSecondsPerMinute);
}
