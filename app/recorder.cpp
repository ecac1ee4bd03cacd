// The recording and the live trace. A recording holds what a headless
// replay needs to take the same course: the messages the game handled, each
// with the frame whose wait handled it, the cursor positions the frames read
// and the local seconds the random choices saw, besides the version and
// whether there was sound.
#include "app/recorder.h"

#include <cstdio>
#include <cstring>

#include "app/script_words.h"
#include "app/trace_line.h"
#include "app/version.h"
#include "host/recording.h"
#include "host/clock.h"
#include "host/message_queue.h"
#include "host/output_file.h"
#include "host/window_proc.h"
#include "sound/device.h"

namespace {
constexpr uint32_t kFlushEveryMs = 1000;
constexpr int kRecordLineSize = 128;
constexpr int kFrameFieldSize = 16;
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

void recordEvent(int32_t frame, const char* event) {
  char line[kRecordLineSize + kFrameFieldSize];
  std::snprintf(line, sizeof line, "%d %s", frame, event);
  writeLine(&recording, line);
}

// What the replay must post for one handled message; nullptr for the
// messages the game posts itself (the end of the program).
const char* eventFor(uint32_t message, uint64_t wParam, int64_t lParam, int consumed, char* text, int size) {
  if (consumed) return "other";  // the 'M' accelerator: the WM_SIZE it brings follows on its own
  const uint32_t low = static_cast<uint32_t>(wParam & 0xFFFFu);
  switch (message) {
    case kWmDestroy:
    case kWmQuit: return nullptr;
    case kWmMouseMove:
      replayCursorX = pointX(lParam);
      replayCursorY = pointY(lParam);
      std::snprintf(text, size, "mouse %d %d", replayCursorX, replayCursorY);
      return text;
    case kWmLButtonDown: return "down left";
    case kWmLButtonUp: return "up left";
    case kWmRButtonDown: return "down right";
    case kWmRButtonUp: return "up right";
    case kWmKeyDown:
    case kWmKeyUp: {
      // An 'M' that reached the game had a modifier: in a script it would minimise.
      const char* word = static_cast<uint32_t>(wParam) == kVkM ? nullptr : keyWord(static_cast<uint32_t>(wParam));
      if (word == nullptr) return "other";
      std::snprintf(text, size, "key %s %s", word, message == kWmKeyDown ? "down" : "up");
      return text;
    }
    case kWmCommand: {
      const char* word = menuWord(low);
      if (word == nullptr) return "other";
      std::snprintf(text, size, "menu %s", word);
      return text;
    }
    case kWmClose: return "close";
    case kWmSize:
      if (wParam == kSizeMinimized) return "size minimised";
      if (wParam == kSizeRestored) return "size restored";
      return "other";
    case kWmSysKeyDown:
    default: return "other";
  }
}
}  // namespace

int openRecording(const char* path) {
  if (!openOutput(&recording, path)) return 0;
  if (recording.file == nullptr) return 1;
  char line[kRecordLineSize];
  std::snprintf(line, sizeof line,
                "# Pinwick recording: replay with pinwick-tool replay --script FILE\n0 version %d.%d.%d.%d",
                kVersionMajor, kVersionMinor, kVersionBuild, kVersionRevision);
  writeLine(&recording, line);
  return 1;
}

int openLiveTrace(const char* path) { return openOutput(&trace, path); }

void recordGameOptions(const GameOptions& options) {
  if (recording.file == nullptr) return;
  char text[kRecordLineSize];
  if (options.level != kDefaultGameOptions.level) {
    std::snprintf(text, sizeof text, "level %d", options.level);
    recordEvent(0, text);
  }
  if (options.twoPlayers) recordEvent(0, "two-players");
  if (options.mute) recordEvent(0, "mute");
}

void recordMessage(const WindowMessage& message, int consumed) {
  if (recording.file == nullptr) return;
  const int32_t frame = framesDone + 1;
  for (int i = 0; i < pendingAnswerCount; ++i) recordEvent(frame, pendingAnswers[i] ? "answer yes" : "answer no");
  pendingAnswerCount = 0;
  char text[kRecordLineSize];
  const char* event = eventFor(message.message, message.wParam, message.lParam, consumed, text, sizeof text);
  if (event != nullptr) recordEvent(frame, event);
}

void recordAnswer(int yes) {
  if (recording.file == nullptr) return;
  if (pendingAnswerCount < static_cast<int>(sizeof pendingAnswers / sizeof pendingAnswers[0]))
    pendingAnswers[pendingAnswerCount++] = yes ? 1 : 0;
}

void recordCursorRead(int32_t x, int32_t y) {
  if (recording.file == nullptr || (x == replayCursorX && y == replayCursorY)) return;
  replayCursorX = x;
  replayCursorY = y;
  char text[kRecordLineSize];
  std::snprintf(text, sizeof text, "pos %d %d", x, y);
  recordEvent(framesDone + 1, text);
}

int secondsSeenByTheGame(int seconds) {
  if (recording.file == nullptr) return seconds;
  // The replay sets the seconds inside a frame's wait, for the frames after it.
  if (latchedFrame == framesDone) return latchedSeconds;
  latchedFrame = framesDone;
  latchedSeconds = seconds;
  if (seconds != secondsWritten) {
    secondsWritten = seconds;
    char text[kRecordLineSize];
    std::snprintf(text, sizeof text, "seconds %d", seconds);
    recordEvent(framesDone, text);
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
  if (!soundNoted) {
    soundNoted = 1;
    // Without a device nothing is synthesised, and the random sequence differs.
    if (!soundDeviceIsOpen()) recordEvent(0, "sound off");
  }
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
