// The frame log: buffered lines, flushed about once a second so that a
// killed run still leaves most of its frames behind.
#include "host/frame_log.h"

#include <cstdio>
#include <cstdlib>

#include "host/output_file.h"

namespace {
constexpr uint32_t kFlushEveryFrames = 50;
constexpr int kLineSize = 32;


std::FILE* logFile = nullptr;
const char* logPath = nullptr;
uint32_t framesLogged = 0;

// "pinwick: cannot write the frame log FILE: REASON" and what follows, in
// fputs alone, like the digits below.
void reportLogFailure(const char* what, int why, const char* after) {
  std::fputs("pinwick: ", stderr);
  std::fputs(what, stderr);
  std::fputs(" the frame log ", stderr);
  std::fputs(outputName(logPath), stderr);
  std::fputs(": ", stderr);
  std::fputs(outputFailureText(why), stderr);
  std::fputs(after, stderr);
}

// Decimal digits of value at p, returning the end; no printf, so the
// Windows program needs none of the C runtime's formatting.
char* putDecimal(char* p, uint32_t value) {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) *p++ = digits[--n];
  return p;
}
}  // namespace

int openFrameLogFromEnvironment() {
  const char* path = std::getenv(kFrameLogVariable);
  if (path == nullptr || path[0] == '\0') return 1;
  closeFrameLog();
  logPath = path;
  if (int why = openOutputStream(path, &logFile)) {
    reportLogFailure("cannot write", why, "; the game runs without it\n");
    return 0;
  }
  return 1;
}

void logPresentedFrame(uint32_t tick) {
  if (logFile == nullptr) return;
  char line[kLineSize];
  char* p = putDecimal(line, ++framesLogged);
  *p++ = ' ';
  p = putDecimal(p, tick);
  *p++ = '\n';
  std::fwrite(line, 1, static_cast<size_t>(p - line), logFile);
  if (framesLogged % kFlushEveryFrames == 0) std::fflush(logFile);
  // Said once: the game runs on without the log.
  if (int why = outputStreamError(logFile)) {
    finishOutputStream(logFile);
    logFile = nullptr;
    reportLogFailure("could not write", why, "; the game goes on without it\n");
  }
}

void closeFrameLog() {
  if (logFile == nullptr) return;
  const int why = finishOutputStream(logFile);
  logFile = nullptr;
  framesLogged = 0;
  if (why != 0) reportLogFailure("could not finish writing", why, "\n");
}

int frameLogOpen() { return logFile != nullptr; }
