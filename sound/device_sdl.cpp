// The SDL sound device: one 22050 Hz unsigned 8-bit mono output, and our own
// mixer of static buffers in SDL's audio callback. The callback runs on SDL's
// audio thread, so every change to the buffers' state locks the device.
#include <SDL.h>

#include <cstdio>

#include "gfx/resources.h"
#include "sound/device.h"
#include "sound/device_sdl.h"
#include "sound/mixer.h"
#include "sound/request_log.h"
#include "sound/synth.h"

namespace {
SoundRequestLog frameRequests;
constexpr Uint16 kCallbackSamples = 512;  // about 23 ms
SDL_AudioDeviceID device = 0;
int deviceGone = 0;  // removed while open: told once

void audioCallback(void*, Uint8* stream, int length) { mixSdlSound(stream, length); }

void lockDevice() {
  if (device != 0) SDL_LockAudioDevice(device);
}

void unlockDevice() {
  if (device != 0) SDL_UnlockAudioDevice(device);
}
}  // namespace

void mixSdlSound(uint8_t* out, int count) { mixBuffers(out, count); }

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
  deviceGone = 0;
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
  releaseAllMixerBuffers();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

DeviceBuffer* createDeviceBuffer(const uint8_t* samples, int count) {
  if (device == 0) return nullptr;
  lockDevice();
  DeviceBuffer* made = addMixerBuffer(samples, count);
  unlockDevice();
  return made;
}

void releaseDeviceBuffer(DeviceBuffer* buffer) {
  if (buffer == nullptr) return;
  lockDevice();
  releaseMixerBuffer(buffer);
  unlockDevice();
}

void stopDeviceBuffer(DeviceBuffer* buffer) {
  lockDevice();
  buffer->playing = 0;
  unlockDevice();
}

void rewindDeviceBuffer(DeviceBuffer* buffer) {
  lockDevice();
  rewindMixerBuffer(buffer);
  unlockDevice();
}

void playDeviceBuffer(DeviceBuffer* buffer, int looping) {
  lockDevice();
  buffer->playing = 1;
  buffer->looping = looping ? 1 : 0;
  unlockDevice();
}

void setDeviceBufferFrequency(DeviceBuffer* buffer, int hertz) {
  lockDevice();
  setMixerBufferFrequency(buffer, hertz);
  unlockDevice();
}

void setDeviceBufferVolume(DeviceBuffer* buffer, int volume) {
  lockDevice();
  setMixerBufferVolume(buffer, volume);
  unlockDevice();
}

void setDeviceBufferPan(DeviceBuffer* buffer, int pan) {
  lockDevice();
  setMixerBufferPan(buffer, pan);
  unlockDevice();
}

// The pictures' table holds the program's wave resources too; it has none yet.
const uint8_t* findSoundResource(const char* name, size_t* size) { return findResource(name, size); }

// Kept for the live trace (pinwick --trace); the main thread alone writes it.
void noteSoundRequest(int slot, int mode) { noteRequest(&frameRequests, slot, mode); }

int soundDeviceIsOpen() { return device != 0; }

int takeSoundRequests(char* text, int size) {
  const int complete = formatRequests(frameRequests, text, size);
  clearRequests(&frameRequests);
  return complete;
}

void noteSdlSoundDeviceRemoved(uint32_t which) {
  if (device == 0 || which != device || deviceGone) return;
  deviceGone = 1;
  std::fprintf(stderr, "pinwick: the sound device went away; the game goes on without sound\n");
}
