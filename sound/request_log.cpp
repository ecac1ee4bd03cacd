// The trace's record of sound requests.
#include "sound/request_log.h"

#include <cstdio>

void noteRequest(SoundRequestLog* log, int slot, int mode) {
  if (log->count == kRequestLogCapacity) {
    ++log->dropped;
    return;
  }
  log->slot[log->count] = slot;
  log->mode[log->count] = mode;
  ++log->count;
}

void clearRequests(SoundRequestLog* log) {
  log->count = 0;
  log->dropped = 0;
}

int formatRequests(const SoundRequestLog& log, char* text, int size) {
  constexpr int kShortestAnswer = 2;  // "-" or "?" and the terminator
  if (size < kShortestAnswer) {
    if (size > 0) text[0] = '\0';
    return 0;
  }
  int used = 0;
  for (int i = 0; i < log.count; ++i) {
    int n = std::snprintf(text + used, static_cast<size_t>(size - used), "%s%d:%d", used > 0 ? "," : "",
                          log.slot[i], log.mode[i]);
    if (n < 0 || n >= size - used) {
      std::snprintf(text, static_cast<size_t>(size), "?");
      return 0;
    }
    used += n;
  }
  if (log.dropped > 0) {
    std::snprintf(text, static_cast<size_t>(size), "?");
    return 0;
  }
  if (used == 0) std::snprintf(text, static_cast<size_t>(size), "-");
  return 1;
}
