// The page's clock: the page's millisecond counter, sleeps that hand the
// thread back to the browser, and the local time.
#include <emscripten.h>

#include <ctime>

#include "app/web/clock_web.h"
#include "app/web/replay_web.h"
#include "host/clock.h"

namespace {
constexpr int kSecondsPerMinute = 60;
constexpr int kRealTimeQuarters = 4;

// Game time is real time from the page's navigation until a playback
// changes its speed: then it goes on from realAtChange at the new speed.
double realAtChange = 0, gameAtChange = 0;
int quarters = kRealTimeQuarters;

double gameNow() {
  const double real = emscripten_get_now();
  return gameAtChange + (real - realAtChange) * quarters / kRealTimeQuarters;
}
}  // namespace

void setPageClockSpeed(int newQuarters) {
  if (newQuarters <= 0 || newQuarters == quarters) return;
  gameAtChange = gameNow();
  realAtChange = emscripten_get_now();
  quarters = newQuarters;
}

// Milliseconds of game time; at real speed, since the page's navigation began.
uint32_t tickCount() { return static_cast<uint32_t>(static_cast<uint64_t>(gameNow())); }

// The browser runs the page's events only while the game sleeps, so every
// sleep yields, even one with no time left: the events that arrive
// meanwhile are queued for the pump.
void sleepUntil(uint32_t tick) {
  const int32_t ahead = static_cast<int32_t>(tick - tickCount());
  emscripten_sleep(ahead > 0 ? static_cast<unsigned>(ahead) * kRealTimeQuarters / quarters : 0);
}

// A shared run's playback sees the seconds its run saw.
int shellLocalSeconds() {
  if (pageReplaying() && replaySeconds() >= 0) return replaySeconds();
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_sec % kSecondsPerMinute;
}
