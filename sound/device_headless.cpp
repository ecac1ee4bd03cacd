// Headless sound device: buffers live in memory, play and stop as
// DirectSound's do, and are mixed only when the frame clock asks.
#include <cstring>

#include "gfx/resources.h"
#include "sound/device.h"
#include "sound/device_headless.h"
#include "sound/mixer.h"
#include "sound/request_log.h"
#include "sound/synth.h"

namespace {
int deviceOpen = 0;
int buffersMade = 0;
int deviceAvailable = 1;
int buffersAvailable = 1;

HeadlessSoundCall callLog[kHeadlessCallCapacity];
int callCount = 0;
int callsDropped = 0;
SoundRequestLog requests;

void logCall(int kind, int id, int value) {
  if (callCount == kHeadlessCallCapacity) {
    ++callsDropped;
    return;
  }
  callLog[callCount++] = HeadlessSoundCall{kind, id, value};
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
  releaseAllMixerBuffers();
  deviceOpen = 0;
  logCall(kSoundCallClose, 0, 0);
}

DeviceBuffer* createDeviceBuffer(const uint8_t* samples, int count) {
  if (!deviceOpen || !buffersAvailable) return nullptr;
  DeviceBuffer* buffer = addMixerBuffer(samples, count);
  if (buffer == nullptr) return nullptr;
  buffer->number = ++buffersMade;
  logCall(kSoundCallCreate, buffer->number, count);
  return buffer;
}

void releaseDeviceBuffer(DeviceBuffer* buffer) {
  logCall(kSoundCallRelease, buffer->number, 0);
  releaseMixerBuffer(buffer);
}

void stopDeviceBuffer(DeviceBuffer* buffer) {
  logCall(kSoundCallStop, buffer->number, 0);
  buffer->playing = 0;
}

void rewindDeviceBuffer(DeviceBuffer* buffer) {
  logCall(kSoundCallRewind, buffer->number, 0);
  rewindMixerBuffer(buffer);
}

void playDeviceBuffer(DeviceBuffer* buffer, int looping) {
  logCall(kSoundCallPlay, buffer->number, looping ? 1 : 0);
  buffer->playing = 1;
  buffer->looping = looping ? 1 : 0;
}

void setDeviceBufferFrequency(DeviceBuffer* buffer, int hertz) {
  logCall(kSoundCallFrequency, buffer->number, hertz);
  setMixerBufferFrequency(buffer, hertz);
}

void setDeviceBufferVolume(DeviceBuffer* buffer, int volume) {
  logCall(kSoundCallVolume, buffer->number, volume);
  setMixerBufferVolume(buffer, volume);
}

void setDeviceBufferPan(DeviceBuffer* buffer, int pan) {
  logCall(kSoundCallPan, buffer->number, pan);
  setMixerBufferPan(buffer, pan);
}

// The executable's embedded table, as the SDL build's.
const uint8_t* findSoundResource(const char* name, size_t* size) { return findResource(name, size); }

void noteSoundRequest(int slot, int mode) {
  logCall(kSoundCallRequest, slot, mode);
  noteRequest(&requests, slot, mode);
}

int soundDeviceIsOpen() { return deviceOpen; }

int takeSoundRequests(char* text, int size) {
  const int complete = formatRequests(requests, text, size);
  clearRequests(&requests);
  return complete;
}

int headlessSoundCallCount() { return callCount; }

HeadlessSoundCall headlessSoundCall(int index) {
  if (index < 0 || index >= callCount) return HeadlessSoundCall{-1, 0, 0};
  return callLog[index];
}

int headlessSoundCallsDropped() { return callsDropped; }

void clearHeadlessSoundCalls() {
  callCount = 0;
  callsDropped = 0;
  clearRequests(&requests);
}

int formatHeadlessSoundRequests(char* text, int size) { return formatRequests(requests, text, size); }

void mixHeadlessSound(uint8_t* out, int count) { mixBuffers(out, count); }

void setHeadlessSoundDeviceAvailable(int available) { deviceAvailable = available ? 1 : 0; }

void setHeadlessSoundBuffersAvailable(int available) { buffersAvailable = available ? 1 : 0; }
