// The headless run's outputs: one trace line per completed frame, the
// screenshots asked for, and the sound device mixed along the virtual clock.
#include "app/headless/headless_trace.h"

#include <cstdio>

#include "app/clock.h"
#include "app/headless/headless_present.h"
#include "app/headless/headless_run.h"
#include "app/headless/headless_shell.h"
#include "game/board.h"
#include "gfx/gfx.h"
#include "scenes/actors.h"
#include "scenes/buttons.h"
#include "scenes/face.h"
#include "scenes/match.h"
#include "sound/headless_sound.h"

namespace {
constexpr int kTraceLineSize = 512;
constexpr int kAudioRate = 22050;
constexpr int kMsPerSecond = 1000;

uint32_t firstFrameTicks = 0;
uint32_t audioStartTicks = 0;
uint64_t audioSamplesMixed = 0;

// Mixes the sound device up to the current time, so that sounds end and loop
// as time passes, and keeps the samples when the run records audio.
void advanceAudio() {
  uint64_t due = static_cast<uint64_t>(tickCount() - audioStartTicks) * kAudioRate / kMsPerSecond;
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
    formatTraceLine(line, sizeof line, headlessFrame, sceneCode, static_cast<int32_t>(tickCount() - firstFrameTicks),
                    headlessRun->realtime);
    std::fprintf(headlessRun->trace, "%s\n", line);
  }
  clearHeadlessSoundCalls();
  for (size_t i = 0; i < headlessRun->shotFrames.size(); ++i) {
    if (headlessRun->shotFrames[i] != headlessFrame) continue;
    const uint32_t* frame = lastPresentedFrame();
    headlessResult->shots[i].assign(frame, frame + kScreenWidth * kScreenHeight);
  }
}

// The fields formatted on their own before the line itself.
constexpr int kTracedButtons = 2;  // the first two: Pass and the end card in a match
constexpr int kButtonFieldSize = 8;
constexpr int kSoundFieldSize = 256;
constexpr int kWipeFieldSize = 16;
constexpr int kTimeFieldSize = 24;

void formatTraceLine(char* line, int size, int32_t frame, int sceneCode, int32_t elapsedMs, int withTime) {
  char board[kSquares + 1];
  for (int i = 0; i < kSquares; ++i) board[i] = static_cast<char>('0' + (matchBoard.cells[i] & 7));
  board[kSquares] = '\0';
  char sounds[kSoundFieldSize];
  formatHeadlessSoundRequests(sounds, sizeof sounds);
  char buttons[kTracedButtons][kButtonFieldSize];
  for (int b = 0; b < kTracedButtons; ++b) {
    if (buttonTable[b].inUse) std::snprintf(buttons[b], sizeof buttons[b], "%d", buttonTable[b].state);
    else std::snprintf(buttons[b], sizeof buttons[b], "-");
  }
  char wipe[kWipeFieldSize];
  int32_t wipeX = 0;
  if (wipeRunning(&wipeX)) std::snprintf(wipe, sizeof wipe, "%d", wipeX);
  else std::snprintf(wipe, sizeof wipe, "-");
  char time[kTimeFieldSize] = "";
  if (withTime) std::snprintf(time, sizeof time, " t=%d", elapsedMs);
  std::snprintf(line, size, "f=%d%s sc=%d ms=%d side=%d hc=%d mood=%d pass=%s end=%s b=%s snd=%s wipe=%s act=%d", frame,
                time, sceneCode, matchState, sideToMove, humanColor, faceMood(), buttons[0], buttons[1], board, sounds,
                wipe, liveActorCount());
}
