// The SDL sound device: one 22050 Hz unsigned 8-bit mono output, and our own
// mixer of static buffers in SDL's audio callback. The callback runs on SDL's
// audio thread, so every change to the buffers' state locks the device.
#include <SDL.h>

#include <cstring>
#include <new>

#include "sound/device.h"
#include "sound/sdl_sound.h"

struct DeviceBuffer {
  int inUse;
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
constexpr int kSampleRate = 22050;
constexpr Uint16 kCallbackSamples = 512;  // about 23 ms
constexpr int kSilence = 128;
constexpr int kSampleLow = 0;
constexpr int kSampleHigh = 255;
constexpr int kMixChunk = 1024;

DeviceBuffer buffers[kMaxBuffers];
SDL_AudioDeviceID device = 0;

// Adds up to n samples of one playing buffer into sum. A one-shot that
// reaches its end stops with its position back at the first sample.
void addBuffer(DeviceBuffer& buffer, int32_t* sum, int n) {
  for (int j = 0; j < n && buffer.playing; ++j) {
    sum[j] += buffer.samples[buffer.position] - kSilence;
    if (++buffer.position == buffer.length) {
      buffer.position = 0;
      if (!buffer.looping) buffer.playing = 0;
    }
  }
}

void audioCallback(void*, Uint8* stream, int length) { mixSdlSound(stream, length); }

void lockDevice() {
  if (device != 0) SDL_LockAudioDevice(device);
}

void unlockDevice() {
  if (device != 0) SDL_UnlockAudioDevice(device);
}
}  // namespace

void mixSdlSound(uint8_t* out, int count) {
  int32_t sum[kMixChunk];
  for (int done = 0; done < count;) {
    const int n = count - done < kMixChunk ? count - done : kMixChunk;
    for (int j = 0; j < n; ++j) sum[j] = 0;
    for (DeviceBuffer& buffer : buffers)
      if (buffer.inUse && buffer.playing) addBuffer(buffer, sum, n);
    for (int j = 0; j < n; ++j) {
      const int s = sum[j] + kSilence;
      out[done + j] = static_cast<uint8_t>(s < kSampleLow ? kSampleLow : s > kSampleHigh ? kSampleHigh : s);
    }
    done += n;
  }
}

void setSdlSoundRunning(int running) {
  if (device != 0) SDL_PauseAudioDevice(device, running ? 0 : 1);
}

int openSoundDevice(void*) {
  if (device != 0) return 1;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want;
  SDL_zero(want);
  want.freq = kSampleRate;
  want.format = AUDIO_U8;
  want.channels = 1;
  want.samples = kCallbackSamples;
  want.callback = audioCallback;
  // No changes allowed: SDL converts to whatever the hardware takes.
  device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  SDL_PauseAudioDevice(device, 0);
  return 1;
}

void closeSoundDevice() {
  if (device == 0) return;
  SDL_CloseAudioDevice(device);  // waits for the callback to finish
  device = 0;
  for (DeviceBuffer& buffer : buffers) {
    delete[] buffer.samples;
    buffer = DeviceBuffer{};
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

DeviceBuffer* createDeviceBuffer(const uint8_t* samples, int count) {
  if (device == 0 || samples == nullptr || count <= 0) return nullptr;
  uint8_t* copy = new (std::nothrow) uint8_t[count];
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, samples, static_cast<size_t>(count));
  DeviceBuffer* made = nullptr;
  lockDevice();
  for (DeviceBuffer& buffer : buffers) {
    if (buffer.inUse) continue;
    buffer = DeviceBuffer{1, copy, count, 0, 0, 0};
    made = &buffer;
    break;
  }
  unlockDevice();
  if (made == nullptr) delete[] copy;
  return made;
}

void releaseDeviceBuffer(DeviceBuffer* buffer) {
  if (buffer == nullptr) return;
  lockDevice();
  uint8_t* samples = buffer->samples;
  *buffer = DeviceBuffer{};
  unlockDevice();
  delete[] samples;
}

void stopDeviceBuffer(DeviceBuffer* buffer) {
  lockDevice();
  buffer->playing = 0;
  unlockDevice();
}

void rewindDeviceBuffer(DeviceBuffer* buffer) {
  lockDevice();
  buffer->position = 0;
  unlockDevice();
}

void playDeviceBuffer(DeviceBuffer* buffer, int looping) {
  lockDevice();
  buffer->playing = 1;
  buffer->looping = looping ? 1 : 0;
  unlockDevice();
}

void noteSoundRequest(int, int) {}
