// The SDL shell's clock: the monotonic clock in milliseconds, sleeps to the
// very millisecond, and the local time.
#include <chrono>
#include <ctime>
#include <thread>

#include "host/clock.h"

namespace {
constexpr int kSecondsPerMinute = 60;

using Clock = std::chrono::steady_clock;
const Clock::time_point clockStart = Clock::now();

uint64_t millisecondsSinceStart() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - clockStart).count());
}
}  // namespace

uint32_t tickCount() { return static_cast<uint32_t>(millisecondsSinceStart()); }

// Wakes when the counter turns to tick, not up to a millisecond after as a
// sleep counted from a truncated reading would. The frame wait pumps the
// events that came meanwhile just after it: a sleep that woke for each of
// them would read the display several times a frame for nothing, since the
// game looks at input once a frame.
void sleepUntil(uint32_t tick) {
  const uint64_t now = millisecondsSinceStart();
  const int32_t ahead = static_cast<int32_t>(tick - static_cast<uint32_t>(now));
  if (ahead > 0) std::this_thread::sleep_until(clockStart + std::chrono::milliseconds(now + static_cast<uint64_t>(ahead)));
}

int shellLocalSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // tm_sec may read 60 during a leap second; the game expects 0..59.
  return local.tm_sec % kSecondsPerMinute;
}
