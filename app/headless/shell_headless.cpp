// The headless shell: the message queue fed from the script (or the monkey)
// for the queued shell's pump, and the services, with dialogs answered from
// the script. Each completed frame is handed to the run's outputs.
#include "app/headless/shell_headless.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "app/game_main.h"
#include "app/headless/clock_headless.h"
#include "app/headless/monkey_headless.h"
#include "app/headless/run_headless.h"
#include "app/headless/trace_headless.h"
#include "app/queued_shell.h"
#include "host/input.h"
#include "host/message_queue.h"
#include "host/shell.h"
#include "host/window_proc.h"
#include "sound/device_headless.h"

namespace {
constexpr int kMaxDialogs = 64;


HeadlessRunOptions idleOptions;
HeadlessRunResult idleResult;
int volumeControlAvailable = 1;
size_t nextEvent = 0;
int injectedFrame = 0;  // the last frame whose events are in the queue
// The next close confirmations' answers, oldest first; none left means No.
// They are given ahead of their confirmations, a recording's several in one
// frame, so a run makes room for every answer its script holds.
std::vector<int> answers(1);
size_t answerHead = 0;
size_t answerCount = 0;
// Where the frames read the cursor: the position events, applied as each
// frame reads the cursor, and any mouse message dispatched.
std::vector<ScriptEvent> positions;
size_t nextPosition = 0;
int stopRequested = 0;
int32_t cursorX = 0, cursorY = 0;

void clearAnswers() {
  answerHead = 0;
  answerCount = 0;
}

void queueAnswer(int yes) {
  if (answerCount == answers.size()) return;
  answers[(answerHead + answerCount) % answers.size()] = yes ? 1 : 0;
  ++answerCount;
}

int takeAnswer() {
  if (answerCount == 0) return 0;
  const int yes = answers[answerHead];
  answerHead = (answerHead + 1) % answers.size();
  --answerCount;
  return yes;
}

std::string dialogs[kMaxDialogs];
int dialogCount = 0;

void noteDialog(const char* kind, const char* text) {
  if (dialogCount >= kMaxDialogs) return;
  dialogs[dialogCount++] = std::string(kind) + ": " + text;
}

// Turns one event into the messages (or shell state) it stands for.
void deliverEvent(const ScriptEvent& e) {
  if (postScriptMessages(e)) return;
  switch (e.kind) {
    case kEventAnswer: queueAnswer(e.a); break;
    case kEventMinimise: shellMinimiseWindow(); break;
    case kEventRestore: restoreHeadlessWindow(); break;
    case kEventSeconds: setHeadlessSeconds(e.a); break;
    default: break;  // positions are read by shellCursorPosition; sound only at start-up
  }
}

// A frame wait whose sleeps no longer move the virtual clock would never
// reach its tick: the run ends, and every wait from now on ends at once.
void stopIfTheClockStalls() {
  if (!headlessClockStalled()) return;
  failHeadlessRun(kRunStalled, "frame %d: the virtual clock has not moved through %u sleeps; the frame wait cannot end",
                  headlessFrame, kHeadlessStillSleepLimit);
  postQueuedMessage(kWmQuit, 0, 0);
}

void injectEventsForCurrentFrame() {
  if (injectedFrame >= headlessFrame) return;
  injectedFrame = headlessFrame;
  if (stopRequested) {
    postQueuedMessage(kWmQuit, 0, 0);
    return;
  }
  const std::vector<ScriptEvent>& events = headlessRun->events;
  while (nextEvent < events.size() && events[nextEvent].frame <= headlessFrame) deliverEvent(events[nextEvent++]);
  if (headlessRun->monkey) monkeyFrame();
}

// The game waits for a message with none queued (minimised, or after the
// Volume command): the next scripted events arrive at once. With none left,
// the run ends.
void deliverWhileTheGameWaits() {
  const std::vector<ScriptEvent>& events = headlessRun->events;
  if (headlessRun->monkey && !stopRequested) {
    monkeyWakeUp();
  } else if (nextEvent < events.size() && !stopRequested) {
    int32_t frame = events[nextEvent].frame;
    while (nextEvent < events.size() && events[nextEvent].frame == frame) deliverEvent(events[nextEvent++]);
  }
  if (queuedMessageCount() > 0) return;
  if (!stopRequested)
    failHeadlessRun(kRunStarved, "frame %d: the game waits for a message (%s) and the script has no more events",
                    headlessFrame, windowMinimised() ? "minimised" : "after the Volume command");
  postQueuedMessage(kWmQuit, 0, 0);
}
}  // namespace

const HeadlessRunOptions* headlessRun = &idleOptions;
HeadlessRunResult* headlessResult = &idleResult;
int32_t headlessFrame = 1;
int headlessMinimised = 0;

void failHeadlessRun(int32_t end, const char* format, ...) {
  if (stopRequested) return;
  headlessResult->end = end;
  va_list args;
  va_start(args, format);
  std::vsnprintf(headlessResult->message, sizeof headlessResult->message, format, args);
  va_end(args);
  stopRequested = 1;
}

void restoreHeadlessWindow() {
  headlessMinimised = 0;
  postQueuedMessage(kWmSize, kSizeRestored, 0);
}

// --- The queued shell's two parts ---

void pullShellEvents(int wait) {
  if (!wait) stopIfTheClockStalls();
  injectEventsForCurrentFrame();
  if (wait && queuedMessageCount() == 0) deliverWhileTheGameWaits();
}

// The cursor follows the mouse messages; the window's state, the WM_SIZE ones.
void afterDispatch(const WindowMessage& m, int) {
  if (m.message == kWmMouseMove) {
    cursorX = pointX(m.lParam);
    cursorY = pointY(m.lParam);
  }
  if (m.message == kWmSize && m.wParam == kSizeMinimized) headlessMinimised = 1;
  if (m.message == kWmSize && m.wParam == kSizeRestored) headlessMinimised = 0;
}

// --- Services ---

int shellConfirmClose(const char* question) {
  int answer = takeAnswer();
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
  headlessMinimised = 1;
  windowProcedure(kWmSize, kSizeMinimized, 0);
}

void shellCursorPosition(int32_t* x, int32_t* y) {
  while (nextPosition < positions.size() && positions[nextPosition].frame <= headlessFrame) {
    cursorX = positions[nextPosition].a;
    cursorY = positions[nextPosition].b;
    ++nextPosition;
  }
  *x = cursorX;
  *y = cursorY;
}

void shellFrameDone(int sceneCode) {
  recordFrame(sceneCode);
  if (headlessRun->monkey) checkInvariants(sceneCode);
  headlessResult->framesCompleted = headlessFrame;
  if (headlessRun->frameLimit > 0 && headlessFrame >= headlessRun->frameLimit && !stopRequested) {
    headlessResult->end = kRunFrameLimit;
    stopRequested = 1;
  }
  ++headlessFrame;
}

// --- Runs ---

HeadlessRunResult runHeadlessGame(const HeadlessRunOptions& options) {
  HeadlessRunResult outcome;
  outcome.shots.resize(options.shotFrames.size());
  outcome.shotScenes.resize(options.shotFrames.size());
  headlessRun = &options;
  headlessResult = &outcome;
  clearMessageQueue();
  nextEvent = 0;
  headlessFrame = 1;
  injectedFrame = 0;
  clearAnswers();
  // One more for the monkey's and the player's own answer.
  const auto scripted = std::count_if(options.events.begin(), options.events.end(),
                                      [](const ScriptEvent& e) { return e.kind == kEventAnswer; });
  answers.assign(1 + static_cast<size_t>(scripted), 0);
  stopRequested = 0;
  cursorX = cursorY = 0;
  headlessMinimised = 0;
  dialogCount = 0;
  startMonkey(options.monkeySeed);
  setHeadlessRealTime(options.realtime);
  startRunOutput();

  positions.clear();
  nextPosition = 0;
  for (const ScriptEvent& e : options.events)
    if (e.kind == kEventPosition) positions.push_back(e);
  // Frame 0 is the start-up: its events set the scene before the game runs.
  int soundDevice = 1;
  GameOptions game = options.game;
  while (nextEvent < options.events.size() && options.events[nextEvent].frame == 0) {
    const ScriptEvent& e = options.events[nextEvent++];
    switch (e.kind) {
      case kEventSound: soundDevice = e.a; break;
      case kEventSeconds: setHeadlessSeconds(e.a); break;
      case kEventLevel: game.level = e.a; break;
      case kEventTwoPlayers: game.twoPlayers = 1; break;
      case kEventMute: game.mute = 1; break;
      case kEventLanguage: game.language = e.a; break;
      default: break;
    }
  }
  setHeadlessSoundDeviceAvailable(soundDevice);
  applyGameOptions(game);
  setKeyboardPlay(1);  // as the SDL build and the page play

  // The window's creation, as the real shells see it, then the game itself.
  windowProcedure(kWmCreate, 0, 0);
  outcome.exitCode = runGame(nullptr);
  setHeadlessSoundDeviceAvailable(1);
  applyGameOptions(kDefaultGameOptions);

  headlessRun = &idleOptions;
  headlessResult = &idleResult;
  stopRequested = 0;
  return outcome;
}

int headlessDialogCount() { return dialogCount; }

const char* headlessDialogText(int index) {
  return index >= 0 && index < dialogCount ? dialogs[index].c_str() : "";
}

void postHeadlessMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
  postQueuedMessage(message, wParam, lParam);
}

void setHeadlessVolumeControl(int available) { volumeControlAvailable = available ? 1 : 0; }

void resetHeadlessShell() {
  clearMessageQueue();
  stopRequested = 0;
  clearAnswers();
  headlessMinimised = 0;
  dialogCount = 0;
  injectedFrame = 0;
  headlessFrame = 1;
  idleResult = HeadlessRunResult{};
}

int headlessQueuedMessages() { return queuedMessageCount(); }

void setHeadlessAnswer(int yes) {
  clearAnswers();
  queueAnswer(yes);
}
