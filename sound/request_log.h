// The playSound requests of one frame, kept by a sound device for the trace
// line (the snd field), whatever each request then did.
#pragma once
#include <cstdint>

constexpr int kRequestLogCapacity = 4096;

struct SoundRequestLog {
  int32_t slot[kRequestLogCapacity];
  int32_t mode[kRequestLogCapacity];
  int count;
  int dropped;  // requests made while the log was full
};

void noteRequest(SoundRequestLog* log, int slot, int mode);
void clearRequests(SoundRequestLog* log);

// "slot:mode" joined by commas, "-" when there are none. Returns 0 (and
// writes "?") when they do not fit in size bytes or some were dropped.
int formatRequests(const SoundRequestLog& log, char* text, int size);
