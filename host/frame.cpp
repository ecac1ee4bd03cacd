// Pump and pacing. Tick readings are compared by their differences, so the
// frames neither race nor stall when the 32-bit millisecond counter wraps.
#include "host/frame.h"

#include "host/clock.h"
#include "host/frame_log.h"
#include "host/frame_testing.h"
#include "host/recording.h"
#include "host/shell.h"
#include "host/window_proc.h"

namespace {
// A frame that is already late still gives up the processor this long, so
// a game that cannot keep up never starves the desktop.
constexpr uint32_t kLateFrameSleepMs = 1;
constexpr uint32_t kSecondMs = 1000;

uint32_t frameClock = 0;  // the tick of the last frame presented

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

int tickDue(uint32_t now) { return now - frameClock >= kFrameMs; }
}  // namespace

int framesPerSecond() { return framesLastSecond; }

int runMessagePump() {
  for (;;) {
    if (!shellPeekMessage() && !windowMinimised() && volumeWaitMessages() == 0) return 1;
    countVolumeWaitMessage();
    WindowMessage fetched;
    if (!shellFetchMessage(&fetched)) return 0;
    const int consumed = shellTranslateAccelerator();
    if (!consumed) shellDispatchMessage();
    recordMessage(fetched, consumed);
  }
}

int waitFrame() {
  for (;;) {
    // One sleep to the tick, then the messages that came meanwhile, just
    // before it: the process wakes once a frame.
    const uint32_t early = tickCount();
    sleepUntil(tickDue(early) ? early + kLateFrameSleepMs : frameClock + kFrameMs);
    if (!runMessagePump()) return 0;
    const uint32_t now = tickCount();
    if (!tickDue(now)) continue;
    // Less than 100 ms late: keep the 20 ms grid so the average stays at 50
    // frames a second. Later than that: drop the lost ticks and start afresh.
    if (now - frameClock < kFrameCatchUpMs) frameClock += kFrameMs;
    else frameClock = now;
    present();
    countFrame(now);
    if (frameLogOpen()) logPresentedFrame(tickCount());
    return 1;
  }
}

void frameDone(int sceneCode) {
  recordFrameDone(sceneCode);
  shellFrameDone(sceneCode);
}

void presentOutsideFrame() {
  while (!tickDue(tickCount())) sleepUntil(frameClock + kFrameMs);
  present();
}

uint32_t lastFrameTick() { return frameClock; }

void setLastFrameTick(uint32_t tick) { frameClock = tick; }
