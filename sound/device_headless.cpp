// Headless sound device: buffers live in memory, play and stop as
// DirectSound's do, and are mixed only when the frame clock asks.
#include <cstdio>
#include <cstring>
#include <new>

#include "sound/device.h"
#include "sound/headless_sound.h"
#include "sound/synth.h"

struct DeviceBuffer {
  int inUse;
  int number;
  uint8_t* samples;
  int length;
  int position;
  int playing;
  int looping;
};

namespace {
// Room for every slot twice over, since a replaced sound is released only
// after its successor exists.
constexpr int kMaxBuffers = 512;
constexpr int kMixChunk = 512;
constexpr int kSampleLow = 0;
constexpr int kSampleHigh = 255;

DeviceBuffer buffers[kMaxBuffers];
int deviceOpen = 0;
int buffersMade = 0;
int deviceAvailable = 1;
int buffersAvailable = 1;

HeadlessSoundCall callLog[kHeadlessCallCapacity];
int callCount = 0;
int callsDropped = 0;

void logCall(int kind, int id, int value) {
  if (callCount == kHeadlessCallCapacity) {
    ++callsDropped;
    return;
  }
  callLog[callCount++] = HeadlessSoundCall{kind, id, value};
}

void freeBuffer(DeviceBuffer& buffer) {
  delete[] buffer.samples;
  buffer = DeviceBuffer{};
}

// Adds up to n samples of one playing buffer into sum. A one-shot that
// reaches its end stops with its position back at the first sample.
void addBuffer(DeviceBuffer& buffer, int32_t* sum, int n) {
  for (int j = 0; j < n && buffer.playing; ++j) {
    sum[j] += buffer.samples[buffer.position] - kSilenceSample;
    if (++buffer.position == buffer.length) {
      buffer.position = 0;
      if (!buffer.looping) buffer.playing = 0;
    }
  }
}
}  // namespace

int openSoundDevice(void*) {
  if (!deviceAvailable) return 0;
  deviceOpen = 1;
  buffersMade = 0;
  logCall(kSoundCallOpen, 0, 0);
  return 1;
}

void closeSoundDevice() {
  if (!deviceOpen) return;
  for (DeviceBuffer& buffer : buffers) {
    if (buffer.inUse) freeBuffer(buffer);
  }
  deviceOpen = 0;
  logCall(kSoundCallClose, 0, 0);
}

DeviceBuffer* createDeviceBuffer(const uint8_t* samples, int count) {
  if (!deviceOpen || !buffersAvailable || count <= 0) return nullptr;
  for (DeviceBuffer& buffer : buffers) {
    if (buffer.inUse) continue;
    uint8_t* copy = new (std::nothrow) uint8_t[count];
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, samples, static_cast<size_t>(count));
    buffer = DeviceBuffer{1, ++buffersMade, copy, count, 0, 0, 0};
    logCall(kSoundCallCreate, buffer.number, count);
    return &buffer;
  }
  return nullptr;
}

void releaseDeviceBuffer(DeviceBuffer* buffer) {
  logCall(kSoundCallRelease, buffer->number, 0);
  freeBuffer(*buffer);
}

void stopDeviceBuffer(DeviceBuffer* buffer) {
  logCall(kSoundCallStop, buffer->number, 0);
  buffer->playing = 0;
}

void rewindDeviceBuffer(DeviceBuffer* buffer) {
  logCall(kSoundCallRewind, buffer->number, 0);
  buffer->position = 0;
}

void playDeviceBuffer(DeviceBuffer* buffer, int looping) {
  logCall(kSoundCallPlay, buffer->number, looping ? 1 : 0);
  buffer->playing = 1;
  buffer->looping = looping ? 1 : 0;
}

void noteSoundRequest(int slot, int mode) { logCall(kSoundCallRequest, slot, mode); }

int headlessSoundCallCount() { return callCount; }

HeadlessSoundCall headlessSoundCall(int index) {
  if (index < 0 || index >= callCount) return HeadlessSoundCall{-1, 0, 0};
  return callLog[index];
}

int headlessSoundCallsDropped() { return callsDropped; }

void clearHeadlessSoundCalls() {
  callCount = 0;
  callsDropped = 0;
}

int formatHeadlessSoundRequests(char* text, int size) {
  constexpr int kShortestAnswer = 2;  // "-" or "?" and the terminator
  if (size < kShortestAnswer) {
    if (size > 0) text[0] = '\0';
    return 0;
  }
  int used = 0;
  for (int i = 0; i < callCount; ++i) {
    if (callLog[i].kind != kSoundCallRequest) continue;
    int n = std::snprintf(text + used, static_cast<size_t>(size - used), "%s%d:%d", used > 0 ? "," : "",
                          callLog[i].id, callLog[i].value);
    if (n < 0 || n >= size - used) {
      std::snprintf(text, static_cast<size_t>(size), "?");
      return 0;
    }
    used += n;
  }
  if (callsDropped > 0) {
    std::snprintf(text, static_cast<size_t>(size), "?");
    return 0;
  }
  if (used == 0) std::snprintf(text, static_cast<size_t>(size), "-");
  return 1;
}

void mixHeadlessSound(uint8_t* out, int count) {
  int32_t sum[kMixChunk];
  for (int done = 0; done < count;) {
    const int n = count - done < kMixChunk ? count - done : kMixChunk;
    for (int j = 0; j < n; ++j) sum[j] = 0;
    for (DeviceBuffer& buffer : buffers) {
      if (buffer.inUse && buffer.playing) addBuffer(buffer, sum, n);
    }
    if (out != nullptr) {
      for (int j = 0; j < n; ++j) {
        int s = sum[j] + kSilenceSample;
        out[done + j] = static_cast<uint8_t>(s < kSampleLow ? kSampleLow : s > kSampleHigh ? kSampleHigh : s);
      }
    }
    done += n;
  }
}

void setHeadlessSoundDeviceAvailable(int available) { deviceAvailable = available ? 1 : 0; }

void setHeadlessSoundBuffersAvailable(int available) { buffersAvailable = available ? 1 : 0; }
