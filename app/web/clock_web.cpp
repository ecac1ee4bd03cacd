// The page's clock: the page's millisecond counter, sleeps that hand the
// thread back to the browser, and the local time.
#include <emscripten.h>

#include <ctime>

#include "host/clock.h"

namespace {
constexpr int kSecondsPerMinute = 60;
}

// Milliseconds since the page's navigation began.
uint32_t tickCount() { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }

// The browser runs the page's events only while the game sleeps, so every
// sleep yields, even one with no time left: the events that arrive
// meanwhile are queued for the pump.
void sleepUntil(uint32_t tick) {
  const int32_t ahead = static_cast<int32_t>(tick - tickCount());
  emscripten_sleep(ahead > 0 ? static_cast<unsigned>(ahead) : 0);
}

int shellLocalSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_sec % kSecondsPerMinute;
}
