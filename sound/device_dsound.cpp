// DirectSound device of the Win32 shell: the default device at the normal
// cooperative level, its primary buffer, and one static secondary buffer of
// 8-bit mono 22050 Hz samples per sound.
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <cstring>

#include "sound/device.h"
#include "sound/synth.h"

struct DeviceBuffer {
  IDirectSoundBuffer* buffer;  // nullptr: the record is free
};

namespace {
// Every slot of the bank once, plus room for a replaced sound, which is
// released only after its successor exists.
constexpr int kMaxBuffers = 512;
constexpr DWORD kPrimaryFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN |
                                DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS;  // 0x80E3
// A static buffer that stays audible while another window has the focus,
// with the frequency, pan and volume controls the bank's setters use.
constexpr DWORD kSoundFlags = kPrimaryFlags & ~DWORD{DSBCAPS_PRIMARYBUFFER};  // 0x80E2
constexpr WORD kChannels = 1;
constexpr WORD kBitsPerSample = 8;
constexpr WORD kBlockAlign = 1;
constexpr char kWaveResourceType[] = "WAVE";

IDirectSound* device = nullptr;
IDirectSoundBuffer* primaryBuffer = nullptr;
DeviceBuffer buffers[kMaxBuffers];

static_assert(sizeof(DSBUFFERDESC) == 36, "the 32-bit buffer description");

WAVEFORMATEX sampleFormat() {
  WAVEFORMATEX format;
  std::memset(&format, 0, sizeof format);
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = kChannels;
  format.nSamplesPerSec = kSampleRate;
  format.nAvgBytesPerSec = kSampleRate * kBlockAlign;
  format.nBlockAlign = kBlockAlign;
  format.wBitsPerSample = kBitsPerSample;
  return format;
}

DeviceBuffer* freeRecord() {
  for (DeviceBuffer& record : buffers)
    if (record.buffer == nullptr) return &record;
  return nullptr;
}

// The buffer may hand its memory back in two regions; the samples run on
// from the first into the second.
int fillBuffer(IDirectSoundBuffer* buffer, const uint8_t* samples, int count) {
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstSize = 0;
  DWORD secondSize = 0;
  if (buffer->Lock(0, static_cast<DWORD>(count), &first, &firstSize, &second, &secondSize, 0) != DS_OK) return 0;
  std::memcpy(first, samples, firstSize);
  if (second != nullptr && secondSize != 0) std::memcpy(second, samples + firstSize, secondSize);
  buffer->Unlock(first, firstSize, second, secondSize);
  return 1;
}
}  // namespace

int openSoundDevice(void* window) {
  if (device != nullptr) return 1;
  if (DirectSoundCreate(nullptr, &device, nullptr) != DS_OK) {
    device = nullptr;
    return 0;
  }
  device->SetCooperativeLevel(static_cast<HWND>(window), DSSCL_NORMAL);
  DSBUFFERDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = sizeof description;
  description.dwFlags = kPrimaryFlags;
  if (device->CreateSoundBuffer(&description, &primaryBuffer, nullptr) != DS_OK) primaryBuffer = nullptr;
  return 1;
}

void closeSoundDevice() {
  for (DeviceBuffer& record : buffers) {
    if (record.buffer == nullptr) continue;
    record.buffer->Release();
    record.buffer = nullptr;
  }
  if (primaryBuffer != nullptr) {
    primaryBuffer->Release();
    primaryBuffer = nullptr;
  }
  if (device != nullptr) {
    device->Release();
    device = nullptr;
  }
}

DeviceBuffer* createDeviceBuffer(const uint8_t* samples, int count) {
  if (device == nullptr || count <= 0) return nullptr;
  DeviceBuffer* record = freeRecord();
  if (record == nullptr) return nullptr;
  WAVEFORMATEX format = sampleFormat();
  DSBUFFERDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = sizeof description;
  description.dwFlags = kSoundFlags;
  description.dwBufferBytes = static_cast<DWORD>(count);
  description.lpwfxFormat = &format;
  IDirectSoundBuffer* buffer = nullptr;
  if (device->CreateSoundBuffer(&description, &buffer, nullptr) != DS_OK) return nullptr;
  if (!fillBuffer(buffer, samples, count)) {
    buffer->Release();
    return nullptr;
  }
  record->buffer = buffer;
  return record;
}

void releaseDeviceBuffer(DeviceBuffer* record) {
  if (record == nullptr || record->buffer == nullptr) return;
  record->buffer->Release();
  record->buffer = nullptr;
}

void stopDeviceBuffer(DeviceBuffer* record) {
  if (record != nullptr && record->buffer != nullptr) record->buffer->Stop();
}

void rewindDeviceBuffer(DeviceBuffer* record) {
  if (record != nullptr && record->buffer != nullptr) record->buffer->SetCurrentPosition(0);
}

void playDeviceBuffer(DeviceBuffer* record, int looping) {
  if (record != nullptr && record->buffer != nullptr) record->buffer->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
}

void setDeviceBufferFrequency(DeviceBuffer* record, int hertz) {
  if (record != nullptr && record->buffer != nullptr) record->buffer->SetFrequency(static_cast<DWORD>(hertz));
}

void setDeviceBufferVolume(DeviceBuffer* record, int volume) {
  if (record != nullptr && record->buffer != nullptr) record->buffer->SetVolume(volume);
}

void setDeviceBufferPan(DeviceBuffer* record, int pan) {
  if (record != nullptr && record->buffer != nullptr) record->buffer->SetPan(pan);
}

// Resources stay mapped for the life of the process; nothing is freed.
const uint8_t* findSoundResource(const char* name, size_t* size) {
  *size = 0;
  HRSRC found = FindResourceA(nullptr, name, kWaveResourceType);
  if (found == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return nullptr;
  *size = SizeofResource(nullptr, found);
  return static_cast<const uint8_t*>(bytes);
}

void noteSoundRequest(int, int) {}

int soundDeviceIsOpen() { return device != nullptr; }

int takeSoundRequests(char* text, int size) {
  // The program keeps no trace: no requests to tell.
  constexpr int kShortestAnswer = 2;  // "-" and the terminator
  if (size < kShortestAnswer) {
    if (size > 0) text[0] = '\0';
    return 0;
  }
  text[0] = '-';
  text[1] = '\0';
  return 1;
}
