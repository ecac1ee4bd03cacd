// The buffer table and the software mix.
#include "sound/mixer.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "sound/synth.h"

namespace {
constexpr int kMixChunk = 512;
constexpr int kSilence = 128;
constexpr int kSampleLow = 0;
constexpr int kSampleHigh = 255;
constexpr int kFractionBits = 16;
constexpr uint32_t kFractionMask = (1u << kFractionBits) - 1;
constexpr uint32_t kUnitStep = 1u << kFractionBits;  // 22050 Hz: one sample per sample
constexpr int32_t kUnitGain = 1 << kFractionBits;
constexpr double kHundredthsPerDecade = 2000.0;  // 20 dB, in hundredths, is a factor of ten in amplitude

DeviceBuffer buffers[kMixerBuffers];

// Rounded to the nearest, halves away from zero, so that the unit gain
// changes nothing and a cut is the same for both signs.
int32_t scaled(int32_t signal, int32_t gain) {
  const int64_t product = static_cast<int64_t>(signal) * gain;
  const int64_t half = kUnitGain / 2;
  return static_cast<int32_t>((product + (product < 0 ? -half : half)) / kUnitGain);
}

double decibelFactor(int hundredths) { return std::pow(10.0, hundredths / kHundredthsPerDecade); }

void updateGain(DeviceBuffer* buffer) {
  // Both sides of the pan, heard together: the full side and the cut one.
  const double sides = (1.0 + decibelFactor(-std::abs(buffer->pan))) / 2.0;
  buffer->gain = static_cast<int32_t>(std::lround(kUnitGain * decibelFactor(buffer->volume) * sides));
}

void addBuffer(DeviceBuffer& buffer, int32_t* sum, int n) {
  for (int j = 0; j < n && buffer.playing; ++j) {
    sum[j] += scaled(buffer.samples[buffer.position] - kSilence, buffer.gain);
    buffer.fraction += buffer.step;
    buffer.position += static_cast<int>(buffer.fraction >> kFractionBits);
    buffer.fraction &= kFractionMask;
    if (buffer.position >= buffer.length) {
      if (buffer.looping) {
        buffer.position %= buffer.length;
      } else {
        rewindMixerBuffer(&buffer);
        buffer.playing = 0;
      }
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
    buffer = DeviceBuffer{1, 0, copy, count, 0, 0, 0, 0, kUnitStep, 0, 0, kUnitGain};
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

void rewindMixerBuffer(DeviceBuffer* buffer) {
  buffer->position = 0;
  buffer->fraction = 0;
}

void setMixerBufferFrequency(DeviceBuffer* buffer, int hertz) {
  const int64_t rate = kSampleRate;
  buffer->step = static_cast<uint32_t>((static_cast<int64_t>(hertz) * kUnitStep + rate / 2) / rate);
}

void setMixerBufferVolume(DeviceBuffer* buffer, int volume) {
  buffer->volume = volume;
  updateGain(buffer);
}

void setMixerBufferPan(DeviceBuffer* buffer, int pan) {
  buffer->pan = pan;
  updateGain(buffer);
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

int mixerBufferPlaying() {
  for (const DeviceBuffer& buffer : buffers)
    if (buffer.inUse && buffer.playing) return 1;
  return 0;
}
