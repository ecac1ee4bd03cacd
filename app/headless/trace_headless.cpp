// The headless run's outputs: one trace line per completed frame, the
// screenshots asked for, and the sound device mixed along the virtual clock.
#include "app/headless/trace_headless.h"

#include <cstdio>

#include "app/headless/present_headless.h"
#include "app/headless/run_headless.h"
#include "app/headless/shell_headless.h"
#include "app/trace_line.h"
#include "gfx/gfx.h"
#include "host/clock.h"
#include "sound/device_headless.h"
#include "sound/synth.h"

namespace {
constexpr int kMsPerSecond = 1000;

uint32_t firstFrameTicks = 0;
uint32_t audioStartTicks = 0;
uint64_t audioSamplesMixed = 0;

// Mixes the sound device up to the current time, so that sounds end and loop
// as time passes, and keeps the samples when the run records audio.
void advanceAudio() {
  uint64_t due = static_cast<uint64_t>(tickCount() - audioStartTicks) * kSampleRate / kMsPerSecond;
  if (due <= audioSamplesMixed) return;
  int count = static_cast<int>(due - audioSamplesMixed);
  if (headlessRun->captureAudio) {
    size_t at = headlessResult->audio.size();
    headlessResult->audio.resize(at + count);
    mixHeadlessSound(headlessResult->audio.data() + at, count);
  } else {
    mixHeadlessSound(nullptr, count);
  }
  audioSamplesMixed = due;
}
}  // namespace

void startRunOutput() {
  audioStartTicks = tickCount();
  audioSamplesMixed = 0;
  clearHeadlessSoundCalls();
}

void recordFrame(int sceneCode) {
  if (headlessFrame == 1) firstFrameTicks = tickCount();
  advanceAudio();
  if (headlessRun->trace != nullptr) {
    char line[kTraceLineSize];
    char sounds[kTraceSoundFieldSize];
    formatHeadlessSoundRequests(sounds, sizeof sounds);
    formatTraceLine(line, sizeof line, headlessFrame, sceneCode, static_cast<int32_t>(tickCount() - firstFrameTicks),
                    headlessRun->realtime, sounds);
    std::fprintf(headlessRun->trace, "%s\n", line);
  }
  clearHeadlessSoundCalls();
  for (size_t i = 0; i < headlessRun->shotFrames.size(); ++i) {
    if (headlessRun->shotFrames[i] != headlessFrame) continue;
    const uint32_t* frame = lastPresentedFrame();
    headlessResult->shots[i].assign(frame, frame + kScreenWidth * kScreenHeight);
    headlessResult->shotScenes[i] = sceneCode;
  }
}
