// The buffer table and the software mix.
#include "sound/mixer.h"

#include <cstring>
#include <new>

namespace {
constexpr int kMixChunk = 512;
constexpr int kSilence = 128;
constexpr int kSampleLow = 0;
constexpr int kSampleHigh = 255;

DeviceBuffer buffers[kMixerBuffers];

void addBuffer(DeviceBuffer& buffer, int32_t* sum, int n) {
  for (int j = 0; j < n && buffer.playing; ++j) {
    sum[j] += buffer.samples[buffer.position] - kSilence;
    if (++buffer.position == buffer.length) {
      buffer.position = 0;
      if (!buffer.looping) buffer.playing = 0;
    }
  }
}
}  // namespace

DeviceBuffer* addMixerBuffer(const uint8_t* samples, int count) {
  if (samples == nullptr || count <= 0) return nullptr;
  for (DeviceBuffer& buffer : buffers) {
    if (buffer.inUse) continue;
    uint8_t* copy = new (std::nothrow) uint8_t[count];
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, samples, static_cast<size_t>(count));
    buffer = DeviceBuffer{1, 0, copy, count, 0, 0, 0};
    return &buffer;
  }
  return nullptr;
}

void releaseMixerBuffer(DeviceBuffer* buffer) {
  if (buffer == nullptr) return;
  delete[] buffer->samples;
  *buffer = DeviceBuffer{};
}

void releaseAllMixerBuffers() {
  for (DeviceBuffer& buffer : buffers)
    if (buffer.inUse) releaseMixerBuffer(&buffer);
}

void mixBuffers(uint8_t* out, int count) {
  int32_t sum[kMixChunk];
  for (int done = 0; done < count;) {
    const int n = count - done < kMixChunk ? count - done : kMixChunk;
    for (int j = 0; j < n; ++j) sum[j] = 0;
    for (DeviceBuffer& buffer : buffers)
      if (buffer.inUse && buffer.playing) addBuffer(buffer, sum, n);
    if (out != nullptr) {
      for (int j = 0; j < n; ++j) {
        const int s = sum[j] + kSilence;
        out[done + j] = static_cast<uint8_t>(s < kSampleLow ? kSampleLow : s > kSampleHigh ? kSampleHigh : s);
      }
    }
    done += n;
  }
}
