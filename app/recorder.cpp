// The recording and the live trace. A recording holds what a headless
// replay needs to take the same course: the messages the game handled, each
// with the frame whose wait handled it, the cursor positions the frames read
// and the local seconds the random choices saw, besides the version and
// whether there was sound.
#include "app/recorder.h"

#include <cstdio>
#include <cstring>

#include "app/replay_script.h"
#include "app/trace_line.h"
#include "app/version.h"
#include "host/clock.h"
#include "host/message_queue.h"
#include "host/output_file.h"
#include "host/recording.h"
#include "host/window_proc.h"
#include "sound/device.h"

namespace {
constexpr uint32_t kFlushEveryMs = 1000;
constexpr int kRecordLineSize = 128;
constexpr int kNoSeconds = -1;

struct OutputFile {
  std::FILE* file;
  const char* path;
  const char* what;  // "recording" or "trace"
};

OutputFile recording = {nullptr, nullptr, "recording"};
OutputFile trace = {nullptr, nullptr, "trace"};

int32_t framesDone = 0;  // the frame whose wait runs now is framesDone + 1
uint32_t firstFrameTicks = 0;
uint32_t lastFlushTicks = 0;
int soundNoted = 0;

// Where the replay's cursor will be: the last position read or mouse message recorded.
int32_t replayCursorX = 0, replayCursorY = 0;

int secondsWritten = kNoSeconds;
int latchedSeconds = kNoSeconds;
int32_t latchedFrame = -1;

int pendingAnswers[4];
int pendingAnswerCount = 0;

int openOutput(OutputFile* out, const char* path) {
  if (path == nullptr) return 1;
  if (int why = openOutputStream(path, &out->file)) {
    std::fprintf(stderr, "pinwick: cannot write the %s %s: %s; the game runs without it\n", out->what, outputName(path),
                 outputFailureText(why));
    return 0;
  }
  out->path = path;
  return 1;
}

// A full disk or a lost file: say why once and go on without it.
void checkOutput(OutputFile* out) {
  if (out->file == nullptr) return;
  const int why = outputStreamError(out->file);
  if (why == 0) return;
  std::fprintf(stderr, "pinwick: could not write the %s %s: %s; the game goes on without it\n", out->what,
               outputName(out->path), outputFailureText(why));
  finishOutputStream(out->file);
  out->file = nullptr;
}

void writeLine(OutputFile* out, const char* line) {
  if (out->file == nullptr) return;
  std::fputs(line, out->file);
  std::fputc('\n', out->file);
  checkOutput(out);
}

void flushOutput(OutputFile* out) {
  if (out->file == nullptr) return;
  std::fflush(out->file);
  checkOutput(out);
}

void closeOutput(OutputFile* out) {
  if (out->file == nullptr) return;
  if (int why = finishOutputStream(out->file))
    std::fprintf(stderr, "pinwick: could not finish writing the %s %s: %s\n", out->what, outputName(out->path),
                 outputFailureText(why));
  out->file = nullptr;
}

void recordEvent(int32_t frame, int32_t kind, int32_t a, int32_t b) {
  char line[kScriptLineSize];
  if (formatScriptEvent(ScriptEvent{frame, kind, a, b}, line, sizeof line)) writeLine(&recording, line);
}

// Without a device nothing is synthesised, and the random sequence differs.
void noteSoundOnce() {
  if (soundNoted) return;
  soundNoted = 1;
  if (!soundDeviceIsOpen()) recordEvent(0, kEventSound, 0, 0);
}

// What the replay must post for one handled message, into *event; 0 for the
// messages the game posts itself (the end of the program).
int eventFor(const WindowMessage& m, int consumed, ScriptEvent* event) {
  *event = ScriptEvent{framesDone + 1, kEventOther, 0, 0};
  if (consumed) return 1;  // the 'M' accelerator: the WM_SIZE it brings follows on its own
  const uint32_t key = static_cast<uint32_t>(m.wParam);
  const uint32_t command = static_cast<uint32_t>(m.wParam & 0xFFFFu);
  switch (m.message) {
    case kWmDestroy:
    case kWmQuit: return 0;
    case kWmMouseMove:
      replayCursorX = pointX(m.lParam);
      replayCursorY = pointY(m.lParam);
      *event = ScriptEvent{event->frame, kEventMouse, replayCursorX, replayCursorY};
      return 1;
    case kWmLButtonDown:
    case kWmLButtonUp:
    case kWmRButtonDown:
    case kWmRButtonUp:
      event->kind = kEventButton;
      event->a = m.message == kWmRButtonDown || m.message == kWmRButtonUp;
      event->b = m.message == kWmLButtonDown || m.message == kWmRButtonDown;
      return 1;
    case kWmKeyDown:
    case kWmKeyUp:
      // An 'M' that reached the game had a modifier: in a script it would minimise.
      if (key != kVkM && keyWord(key) != nullptr)
        *event = ScriptEvent{event->frame, kEventKey, static_cast<int32_t>(key), m.message == kWmKeyDown};
      return 1;
    case kWmCommand:
      if (menuWord(command) != nullptr) *event = ScriptEvent{event->frame, kEventMenu, static_cast<int32_t>(command), 0};
      return 1;
    case kWmClose: event->kind = kEventClose; return 1;
    case kWmSize:
      if (m.wParam == kSizeMinimized || m.wParam == kSizeRestored)
        *event = ScriptEvent{event->frame, kEventSize, m.wParam == kSizeMinimized, 0};
      return 1;
    default: return 1;  // a system key and whatever else: other
  }
}
}  // namespace

int openRecording(const char* path) {
  if (!openOutput(&recording, path)) return 0;
  if (recording.file == nullptr) return 1;
  writeLine(&recording, "# Pinwick recording: replay with pinwick-tool replay --script FILE");
  recordEvent(0, kEventVersion, 0, 0);
  return 1;
}

int openLiveTrace(const char* path) { return openOutput(&trace, path); }

void recordGameOptions(const GameOptions& options) {
  if (recording.file == nullptr) return;
  if (options.level != kDefaultGameOptions.level) recordEvent(0, kEventLevel, options.level, 0);
  if (options.twoPlayers) recordEvent(0, kEventTwoPlayers, 0, 0);
  if (options.mute) recordEvent(0, kEventMute, 0, 0);
  if (options.language != kDefaultGameOptions.language) recordEvent(0, kEventLanguage, options.language, 0);
}

void recordMessage(const WindowMessage& message, int consumed) {
  if (recording.file == nullptr) return;
  const int32_t frame = framesDone + 1;
  for (int i = 0; i < pendingAnswerCount; ++i) recordEvent(frame, kEventAnswer, pendingAnswers[i], 0);
  pendingAnswerCount = 0;
  ScriptEvent event;
  if (eventFor(message, consumed, &event)) recordEvent(event.frame, event.kind, event.a, event.b);
}

void recordAnswer(int yes) {
  if (recording.file == nullptr) return;
  if (pendingAnswerCount < static_cast<int>(sizeof pendingAnswers / sizeof pendingAnswers[0]))
    pendingAnswers[pendingAnswerCount++] = yes ? 1 : 0;
}

void recordCursorRead(int32_t x, int32_t y) {
  noteSoundOnce();  // before the first frame's events, where a replay reads it
  if (recording.file == nullptr || (x == replayCursorX && y == replayCursorY)) return;
  replayCursorX = x;
  replayCursorY = y;
  recordEvent(framesDone + 1, kEventPosition, x, y);
}

int secondsSeenByTheGame(int seconds) {
  if (recording.file == nullptr) return seconds;
  // The replay sets the seconds inside a frame's wait, for the frames after it.
  if (latchedFrame == framesDone) return latchedSeconds;
  latchedFrame = framesDone;
  latchedSeconds = seconds;
  if (seconds != secondsWritten) {
    secondsWritten = seconds;
    recordEvent(framesDone, kEventSeconds, seconds, 0);
  }
  return seconds;
}

int localSeconds() { return secondsSeenByTheGame(shellLocalSeconds()); }

void recordFrameDone(int sceneCode) {
  char sounds[kTraceSoundFieldSize];
  takeSoundRequests(sounds, sizeof sounds);
  const uint32_t now = tickCount();
  if (framesDone == 0) {
    firstFrameTicks = now;
    lastFlushTicks = now;
  }
  ++framesDone;
  noteSoundOnce();
  if (trace.file != nullptr) {
    char line[kTraceLineSize];
    formatTraceLine(line, sizeof line, framesDone, sceneCode, static_cast<int32_t>(now - firstFrameTicks), 1, sounds);
    writeLine(&trace, line);
  }
  if (now - lastFlushTicks >= kFlushEveryMs) {
    lastFlushTicks = now;
    if (recording.file != nullptr) {
      char line[kRecordLineSize];
      std::snprintf(line, sizeof line, "# complete up to frame %d", framesDone);
      writeLine(&recording, line);
    }
    flushOutput(&recording);
    flushOutput(&trace);
  }
}

void flushRecording() {
  flushOutput(&recording);
  flushOutput(&trace);
}

void finishRecording(int exitCode) {
  char line[kRecordLineSize];
  if (recording.file != nullptr) {
    std::snprintf(line, sizeof line, "# complete up to frame %d, exit %d", framesDone, exitCode);
    writeLine(&recording, line);
  }
  if (trace.file != nullptr) {
    std::snprintf(line, sizeof line, "exit=%d", exitCode);
    writeLine(&trace, line);
  }
  closeOutput(&recording);
  closeOutput(&trace);
}
