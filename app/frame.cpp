// Pump and pacing. Tick readings are compared by their differences, so the
// frames neither race nor stall when the 32-bit millisecond counter wraps.
#include "app/frame.h"

#include "app/clock.h"
#include "app/frame_log.h"
#include "app/shell.h"
#include "app/window_proc.h"
#include "gfx/clip.h"

uint32_t frameClock = 0;

namespace {
constexpr uint32_t kSleepStepMs = 1;
// The last stretch before the tick is polled in kSleepStepMs steps.
constexpr uint32_t kFinalStepsMs = 1;
constexpr uint32_t kSecondMs = 1000;

uint32_t secondStart = 0;
int framesThisSecond = 0;
int framesLastSecond = 0;
int secondStarted = 0;

void countFrame(uint32_t now) {
  if (!secondStarted) {
    secondStarted = 1;
    secondStart = now;
  }
  // Whole seconds: a stall longer than one leaves a zero for the next.
  while (now - secondStart >= kSecondMs) {
    framesLastSecond = framesThisSecond;
    framesThisSecond = 0;
    secondStart += kSecondMs;
  }
  framesThisSecond += 1;
}
}  // namespace

int framesPerSecond() { return framesLastSecond; }

int runMessagePump() {
  for (;;) {
    if (!shellPeekMessage() && windowActive != 0 && pendingMessages == 0) return 1;
    if (pendingMessages != 0) pendingMessages -= 1;
    if (!shellFetchMessage()) return 0;
    if (shellTranslateAccelerator()) continue;
    shellDispatchMessage();
  }
}

int waitFrame(GfxWindow window) {
  for (;;) {
    if (!runMessagePump()) return 0;
    // Sleep through the early part of the frame in one go, then in 1 ms
    // steps: the queue is still drained just before the tick, but the
    // process wakes twice a frame rather than twenty times.
    const uint32_t early = tickCount() - frameClock;
    sleepMs(early + kFinalStepsMs < kFrameMs ? kFrameMs - kFinalStepsMs - early : kSleepStepMs);
    uint32_t now = tickCount();
    uint32_t behind = now - frameClock;
    if (behind < kFrameMs) continue;
    // Less than 100 ms late: keep the 20 ms grid so the average stays at 50
    // frames a second. Later than that: drop the lost ticks and start afresh.
    if (behind < kFrameCatchUpMs) frameClock += kFrameMs;
    else frameClock = now;
    presentOnFrameTick(frameClock);
    present(window);
    countFrame(now);
    if (frameLogOpen()) logPresentedFrame(tickCount());
    return 1;
  }
}
