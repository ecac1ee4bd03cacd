// The frame log: buffered lines, flushed about once a second so that a
// killed run still leaves most of its frames behind.
#include "app/frame_log.h"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr uint32_t kFlushEveryFrames = 50;
constexpr int kLineSize = 32;

std::FILE* logFile = nullptr;
uint32_t framesLogged = 0;

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
  logFile = std::fopen(path, "wb");
  return logFile != nullptr ? 1 : 0;
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
}

void closeFrameLog() {
  if (logFile == nullptr) return;
  std::fclose(logFile);
  logFile = nullptr;
  framesLogged = 0;
}

int frameLogOpen() { return logFile != nullptr; }
