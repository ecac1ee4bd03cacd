// The headless shell: a message queue fed from the script (or the monkey),
// dialogs answered from the script, and the per-frame observer that writes
// the trace, keeps screenshots and audio, and checks the game's invariants.
#include "app/headless/headless_shell.h"

#include <cstdarg>
#include <cstring>
#include <string>

#include "app/clock.h"
#include "app/game_main.h"
#include "app/headless/headless_clock.h"
#include "app/headless/headless_present.h"
#include "app/input.h"
#include "app/shell.h"
#include "app/version.h"
#include "app/window_proc.h"
#include "game/board.h"
#include "game/match.h"
#include "scenes/actors.h"
#include "scenes/buttons.h"
#include "scenes/driver.h"
#include "scenes/face.h"
#include "sound/headless_sound.h"

namespace {
constexpr int kQueueCapacity = 1024;
constexpr uint32_t kQuitMessage = 0x0012;  // WM_QUIT
constexpr int kAudioRate = 22050;
constexpr int kMsPerSecond = 1000;
constexpr int kTraceLineSize = 512;
constexpr int kMaxDialogs = 64;

struct QueuedMessage {
  uint32_t message;
  uint64_t wParam;
  int64_t lParam;
};

// The queue is a ring; overflowing it drops the newest message, as a full
// Windows queue would.
QueuedMessage queue[kQueueCapacity];
int queueHead = 0;
int queueCount = 0;
QueuedMessage fetched;

// Outside a run (in unit tests) the shell behaves as a run with no script.
HeadlessRunOptions idleOptions;
HeadlessRunResult idleResult;
const HeadlessRunOptions* run = &idleOptions;
HeadlessRunResult* result = &idleResult;
int volumeControlAvailable = 1;
size_t nextEvent = 0;
int32_t currentFrame = 1;  // the frame whose frame wait comes next
int injectedFrame = 0;     // the last frame whose events are in the queue
int pendingAnswer = 0;     // the next close confirmation's answer
int stopRequested = 0;
int32_t cursorX = 0, cursorY = 0;
int minimised = 0;
uint32_t firstFrameTicks = 0;
uint32_t audioStartTicks = 0;
uint64_t audioSamplesMixed = 0;
int previousScene = -1;
StoneCount previousCount = {0, 0};
int32_t previousSide = 0;
uint32_t monkeyState = 0;

std::string dialogs[kMaxDialogs];
int dialogCount = 0;

void noteDialog(const char* kind, const char* text) {
  if (dialogCount >= kMaxDialogs) return;
  dialogs[dialogCount++] = std::string(kind) + ": " + text;
}

void postMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
  if (queueCount == kQueueCapacity) return;
  queue[(queueHead + queueCount) % kQueueCapacity] = {message, wParam, lParam};
  ++queueCount;
}

int64_t packPoint(int32_t x, int32_t y) {
  return static_cast<int64_t>(static_cast<uint32_t>(x)) | (static_cast<int64_t>(static_cast<uint32_t>(y)) << 32);
}

// Turns one event into the messages (or shell state) it stands for.
void deliverEvent(const HeadlessEvent& e) {
  switch (e.kind) {
    case kEventMouse: postMessage(kWmMouseMove, 0, packPoint(e.a, e.b)); break;
    case kEventButton:
      if (e.a == 0) postMessage(e.b ? kWmLButtonDown : kWmLButtonUp, 0, 0);
      else postMessage(e.b ? kWmRButtonDown : kWmRButtonUp, 0, 0);
      break;
    case kEventKey: postMessage(e.b ? kWmKeyDown : kWmKeyUp, static_cast<uint64_t>(e.a), 0); break;
    case kEventMenu: postMessage(kWmCommand, static_cast<uint64_t>(e.a), 0); break;
    case kEventClose: postMessage(kWmClose, 0, 0); break;
    case kEventAnswer: pendingAnswer = e.a ? 1 : 0; break;
    case kEventMinimise: shellMinimiseWindow(); break;
    case kEventRestore:
      minimised = 0;
      postMessage(kWmSize, kSizeRestored, 0);
      break;
    case kEventSeconds: setHeadlessSeconds(e.a); break;
    default: break;
  }
}

// --- The monkey: reproducible random input, biased to where things happen ---

uint32_t monkeyNext() {
  // xorshift32: its own sequence, so it never moves the game's generator.
  monkeyState ^= monkeyState << 13;
  monkeyState ^= monkeyState >> 17;
  monkeyState ^= monkeyState << 5;
  return monkeyState;
}

int monkeyBelow(int n) { return static_cast<int>(monkeyNext() % static_cast<uint32_t>(n)); }

void monkeyMoveMouse() {
  int32_t x = 0, y = 0;
  switch (monkeyBelow(5)) {
    case 0:
    case 1:  // the board
      x = 56 + monkeyBelow(48);
      y = 6 + monkeyBelow(48);
      break;
    case 2:  // the cards: the end card and the white one on the left, the red one on the right
      x = monkeyBelow(2) ? 6 + monkeyBelow(50) : 104 + monkeyBelow(32);
      y = 6 + monkeyBelow(48);
      break;
    case 3:  // the Pass button
      x = 128 + monkeyBelow(24);
      y = 42 + monkeyBelow(12);
      break;
    default:  // anywhere, a little outside too
      x = monkeyBelow(180) - 10;
      y = monkeyBelow(80) - 10;
      break;
  }
  postMessage(kWmMouseMove, 0, packPoint(x, y));
}

// One frame's worth of random input. Rare commands are drawn per ten
// thousand frames so that whole matches, and the closing scenes, happen.
void monkeyFrame() {
  if (monkeyBelow(3) == 0) monkeyMoveMouse();
  int roll = monkeyBelow(10000);
  if (roll < 1500) {
    postMessage((inputState.mouseHeld & kMouseLeft) ? kWmLButtonUp : kWmLButtonDown, 0, 0);
  } else if (roll < 2000) {
    postMessage(kWmKeyDown, kVkZ, 0);
    postMessage(kWmKeyUp, kVkZ, 0);
  } else if (roll < 2100) {
    postMessage(kWmRButtonDown, 0, 0);
    postMessage(kWmRButtonUp, 0, 0);
  } else if (roll < 2102) {
    postMessage(kWmCommand, kCommandReset, 0);
  } else if (roll < 2106) {
    postMessage(kWmCommand, kCommandVersion, 0);
  } else if (roll < 2110) {
    shellMinimiseWindow();
  } else if (roll < 2114) {
    pendingAnswer = 0;  // close, answered No
    postMessage(kWmClose, 0, 0);
  } else if (roll < 2116) {
    postMessage(kWmCommand, kCommandVolume, 0);
  }
}

// The messages a blocked pump gets while the monkey plays: mostly mouse
// moves, and a restore soon enough when minimised.
void monkeyWakeUp() {
  if (minimised && monkeyBelow(4) == 0) {
    minimised = 0;
    postMessage(kWmSize, kSizeRestored, 0);
  } else {
    monkeyMoveMouse();
  }
}

void injectEventsForCurrentFrame() {
  if (injectedFrame >= currentFrame) return;
  injectedFrame = currentFrame;
  if (stopRequested) {
    postMessage(kQuitMessage, 0, 0);
    return;
  }
  while (nextEvent < run->events.size() && run->events[nextEvent].frame <= currentFrame)
    deliverEvent(run->events[nextEvent++]);
  if (run->monkey) monkeyFrame();
}

void fail(int32_t end, const char* format, ...) {
  if (stopRequested) return;
  result->end = end;
  va_list args;
  va_start(args, format);
  std::vsnprintf(result->message, sizeof result->message, format, args);
  va_end(args);
  stopRequested = 1;
}

// --- The monkey's invariants ---

void checkInvariants(int sceneCode) {
  for (int i = 0; i < kSquares; ++i) {
    if (matchBoard.cells[i] < 0 || matchBoard.cells[i] > 2) {
      fail(kRunInvariantBroken, "frame %d: square %d holds %d", currentFrame, i, matchBoard.cells[i]);
      return;
    }
  }
  if (sceneCode != kSceneTitle && sceneCode != kSceneMatch && sceneCode != kSceneEnding &&
      sceneCode != kSceneGameOver) {
    fail(kRunInvariantBroken, "frame %d: scene code %d", currentFrame, sceneCode);
    return;
  }
  if (matchState < 0 || matchState > kMatchFinished || sideToMove < 0 || sideToMove > 2 || humanColor < 0 ||
      humanColor > 2 || faceMood() < 0 || faceMood() > 6) {
    fail(kRunInvariantBroken, "frame %d: match state %d, side %d, human %d", currentFrame, matchState, sideToMove,
         humanColor);
    return;
  }
  if (liveActorCount() > kActorSlots) {
    fail(kRunInvariantBroken, "frame %d: %d actors", currentFrame, liveActorCount());
    return;
  }
  for (int b = 0; b < kButtonCount; ++b) {
    if (buttonTable[b].inUse && (buttonTable[b].state < 0 || buttonTable[b].state > 2)) {
      fail(kRunInvariantBroken, "frame %d: button %d in state %d", currentFrame, b, buttonTable[b].state);
      return;
    }
  }
  StoneCount now = countStones();
  if (sceneCode == kSceneMatch && previousScene == kSceneMatch) {
    int dw = now.white - previousCount.white, db = now.black - previousCount.black;
    bool unchanged = dw == 0 && db == 0;
    bool placed = (previousSide == kWhite && dw == 1 && db == 0) || (previousSide == kBlack && dw == 0 && db == 1);
    bool turned = (dw == 1 && db == -1) || (dw == -1 && db == 1);
    if (!unchanged && !placed && !turned) {
      fail(kRunInvariantBroken, "frame %d: stones went from %d:%d to %d:%d", currentFrame, previousCount.white,
           previousCount.black, now.white, now.black);
      return;
    }
  }
  previousScene = sceneCode;
  previousCount = now;
  previousSide = sideToMove;
}

// Mixes the sound device up to the current time, so that sounds end and loop
// as time passes, and keeps the samples when the run records audio.
void advanceAudio() {
  uint64_t due = static_cast<uint64_t>(tickCount() - audioStartTicks) * kAudioRate / kMsPerSecond;
  if (due <= audioSamplesMixed) return;
  int count = static_cast<int>(due - audioSamplesMixed);
  if (run->captureAudio) {
    size_t at = result->audio.size();
    result->audio.resize(at + count);
    mixHeadlessSound(result->audio.data() + at, count);
  } else {
    mixHeadlessSound(nullptr, count);
  }
  audioSamplesMixed = due;
}
}  // namespace

// --- Pump primitives ---

int shellPeekMessage() {
  injectEventsForCurrentFrame();
  return queueCount > 0;
}

int shellFetchMessage() {
  injectEventsForCurrentFrame();
  if (queueCount == 0) {
    // The game waits for a message (minimised, or after the Volume command):
    // the next scripted events arrive at once.
    if (run->monkey && !stopRequested) {
      monkeyWakeUp();
    } else if (nextEvent < run->events.size() && !stopRequested) {
      int32_t frame = run->events[nextEvent].frame;
      while (nextEvent < run->events.size() && run->events[nextEvent].frame == frame)
        deliverEvent(run->events[nextEvent++]);
    }
    if (queueCount == 0) {
      if (!stopRequested)
        fail(kRunStarved, "frame %d: the game waits for a message (%s) and the script has no more events",
             currentFrame, windowActive ? "after the Volume command" : "minimised");
      postMessage(kQuitMessage, 0, 0);
    }
  }
  fetched = queue[queueHead];
  queueHead = (queueHead + 1) % kQueueCapacity;
  --queueCount;
  return fetched.message != kQuitMessage;
}

int shellTranslateAccelerator() {
  // The one accelerator: 'M' without modifiers minimises.
  if (fetched.message != kWmKeyDown || fetched.wParam != kVkM) return 0;
  windowProcedure(kWmCommand, kCommandMinimise, 0);
  return 1;
}

void shellDispatchMessage() {
  if (fetched.message == kWmMouseMove) {
    cursorX = static_cast<int32_t>(static_cast<uint32_t>(fetched.lParam & 0xFFFFFFFF));
    cursorY = static_cast<int32_t>(static_cast<uint32_t>((fetched.lParam >> 32) & 0xFFFFFFFF));
  }
  windowProcedure(fetched.message, fetched.wParam, fetched.lParam);
}

// --- Services ---

int shellConfirmClose(const char* question) {
  int answer = pendingAnswer;
  pendingAnswer = 0;
  noteDialog(answer ? "confirm (yes)" : "confirm (no)", question);
  return answer;
}

void shellMessageBox(const char* text, const char* title) {
  std::string line = std::string(title) + ": " + text;
  for (char& c : line)
    if (c == '\n') c = ' ';
  noteDialog("message", line.c_str());
}

int shellLaunchVolumeControl(int attempt) {
  // Headless there is no mixer to open; the first candidate "starts".
  return volumeControlAvailable && attempt == 0 ? 1 : 0;
}

void shellMinimiseWindow() {
  minimised = 1;
  windowProcedure(kWmSize, kSizeMinimized, 0);
}

void shellSendClose() { windowProcedure(kWmClose, 0, 0); }

void shellPostDestroy() { postMessage(kWmDestroy, 0, 0); }

void shellPostQuit() { postMessage(kQuitMessage, 0, 0); }

int shellFileVersion(int* major, int* minor, int* build) {
  *major = kVersionMajor;
  *minor = kVersionMinor;
  *build = kVersionBuild;
  return 1;
}

void shellCursorPosition(int32_t* x, int32_t* y) {
  *x = cursorX;
  *y = cursorY;
}

void shellFrameDone(int sceneCode) {
  if (currentFrame == 1) firstFrameTicks = tickCount();
  advanceAudio();
  if (run->trace != nullptr) {
    char line[kTraceLineSize];
    formatTraceLine(line, sizeof line, currentFrame, sceneCode, static_cast<int32_t>(tickCount() - firstFrameTicks),
                    run->realtime);
    std::fprintf(run->trace, "%s\n", line);
  }
  clearHeadlessSoundCalls();
  for (size_t i = 0; i < run->shotFrames.size(); ++i) {
    if (run->shotFrames[i] != currentFrame) continue;
    const uint32_t* frame = lastPresentedFrame();
    result->shots[i].assign(frame, frame + kScreenWidth * kScreenHeight);
  }
  if (run->monkey) checkInvariants(sceneCode);
  result->framesCompleted = currentFrame;
  if (run->frameLimit > 0 && currentFrame >= run->frameLimit && !stopRequested) {
    result->end = kRunFrameLimit;
    stopRequested = 1;
  }
  ++currentFrame;
}

void formatTraceLine(char* line, int size, int32_t frame, int sceneCode, int32_t elapsedMs, int withTime) {
  char board[kSquares + 1];
  for (int i = 0; i < kSquares; ++i) board[i] = static_cast<char>('0' + (matchBoard.cells[i] & 7));
  board[kSquares] = '\0';
  char sounds[256];
  formatHeadlessSoundRequests(sounds, sizeof sounds);
  char buttons[2][8];
  for (int b = 0; b < 2; ++b) {
    if (buttonTable[b].inUse) std::snprintf(buttons[b], sizeof buttons[b], "%d", buttonTable[b].state);
    else std::snprintf(buttons[b], sizeof buttons[b], "-");
  }
  char wipe[16];
  if (wipeActor.inUse) std::snprintf(wipe, sizeof wipe, "%d", wipeActor.x / kFixedOne);
  else std::snprintf(wipe, sizeof wipe, "-");
  char time[24] = "";
  if (withTime) std::snprintf(time, sizeof time, " t=%d", elapsedMs);
  std::snprintf(line, size, "f=%d%s sc=%d ms=%d side=%d hc=%d mood=%d pass=%s end=%s b=%s snd=%s wipe=%s act=%d", frame,
                time, sceneCode, matchState, sideToMove, humanColor, faceMood(), buttons[0], buttons[1], board, sounds,
                wipe, liveActorCount());
}

HeadlessRunResult runHeadlessGame(const HeadlessRunOptions& options) {
  HeadlessRunResult outcome;
  outcome.shots.resize(options.shotFrames.size());
  run = &options;
  result = &outcome;
  queueHead = queueCount = 0;
  nextEvent = 0;
  currentFrame = 1;
  injectedFrame = 0;
  pendingAnswer = 0;
  stopRequested = 0;
  cursorX = cursorY = 0;
  minimised = 0;
  previousScene = -1;
  dialogCount = 0;
  monkeyState = options.monkeySeed * 2654435761u + 0x9E3779B9u;
  if (monkeyState == 0) monkeyState = 1;
  setHeadlessRealTime(options.realtime);
  audioStartTicks = tickCount();
  audioSamplesMixed = 0;
  clearHeadlessSoundCalls();

  // The window's creation, as the real shells see it, then the game itself.
  windowProcedure(kWmCreate, 0, 0);
  outcome.exitCode = runGame(nullptr);

  run = &idleOptions;
  result = &idleResult;
  stopRequested = 0;
  return outcome;
}

int headlessDialogCount() { return dialogCount; }

const char* headlessDialogText(int index) {
  return index >= 0 && index < dialogCount ? dialogs[index].c_str() : "";
}

void postHeadlessMessage(uint32_t message, uint64_t wParam, int64_t lParam) { postMessage(message, wParam, lParam); }

void setHeadlessVolumeControl(int available) { volumeControlAvailable = available ? 1 : 0; }

void resetHeadlessShell() {
  queueHead = queueCount = 0;
  stopRequested = 0;
  pendingAnswer = 0;
  minimised = 0;
  dialogCount = 0;
  injectedFrame = 0;
  currentFrame = 1;
  idleResult = HeadlessRunResult{};
}

int headlessQueuedMessages() { return queueCount; }

void setHeadlessAnswer(int yes) { pendingAnswer = yes ? 1 : 0; }
