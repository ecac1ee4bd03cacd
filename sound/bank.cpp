// The sound bank over the device seam: slot table, mixing and play modes.
#include "sound/bank.h"

#include <cstddef>
#include <cstdio>
#include <new>

#include "gfx/base_directory.h"
#include "sound/device.h"
#include "sound/wav_read.h"

namespace {
constexpr int kMixLow = -127;
constexpr int kMixHigh = 127;
constexpr int kByteOffset = 256;  // voice + mix - 256 is the signed sum
constexpr uint8_t kClampLow = 0;
constexpr uint8_t kClampHigh = 255;

// The setters' value mappings, in the device's units.
constexpr int kFrequencyPerValue = 10;
constexpr int kFrequencyAtZero = 100;
constexpr int kVolumePerValue = 8;
constexpr int kVolumeAtZero = -2400;
constexpr int kPanCentreValue = 256;
constexpr int kPanPerValue = 10;

// More than a quarter of an hour of samples: no wave the game could want.
constexpr long kLargestWaveFile = 32L * 1024 * 1024;

int deviceOpen = 0;
int soundMuted = 0;  // the player's choice; kept across shutdownSound
DeviceBuffer* soundSlots[kSoundSlotCount];

bool validSlot(int slot) { return slot >= 0 && slot < kSoundSlotCount; }

DeviceBuffer* slotBuffer(int slot) { return deviceOpen && validSlot(slot) ? soundSlots[slot] : nullptr; }

// The slot's old sound goes only once the new one exists.
void putInSlot(DeviceBuffer* buffer, int slot) {
  if (soundSlots[slot] != nullptr) releaseDeviceBuffer(soundSlots[slot]);
  soundSlots[slot] = buffer;
}

int loadWaveBytes(const uint8_t* bytes, size_t size, int slot) {
  WavSamples wave;
  if (!readWavSamples(bytes, size, &wave)) return 0;
  DeviceBuffer* buffer = createDeviceBuffer(wave.samples, wave.count);
  if (buffer == nullptr) return 0;
  putInSlot(buffer, slot);
  return 1;
}

// The whole file, or nullptr; one byte more than the size is asked for, so
// that a file that grew under us is refused too.
uint8_t* readWholeFile(std::FILE* file, size_t* size) {
  if (std::fseek(file, 0, SEEK_END) != 0) return nullptr;
  const long length = std::ftell(file);
  if (length <= 0 || length > kLargestWaveFile || std::fseek(file, 0, SEEK_SET) != 0) return nullptr;
  const size_t wanted = static_cast<size_t>(length);
  uint8_t* bytes = new (std::nothrow) uint8_t[wanted + 1];
  if (bytes == nullptr) return nullptr;
  if (std::fread(bytes, 1, wanted + 1, file) != wanted) {
    delete[] bytes;
    return nullptr;
  }
  *size = wanted;
  return bytes;
}

int clampToRange(long long value, int lowest, int highest) {
  if (value < lowest) return lowest;
  if (value > highest) return highest;
  return static_cast<int>(value);
}
}  // namespace

int soundLength(const VoiceDef* voices, int count) {
  int length = 0;
  for (int v = 0; v < count; ++v) {
    if (voices[v].length > length) length = voices[v].length;
  }
  return length;
}

uint8_t mixSample(uint8_t voice, uint8_t mix) {
  int s = voice + mix - kByteOffset;
  if (s < kMixLow) return kClampLow;
  if (s > kMixHigh) return kClampHigh;
  return static_cast<uint8_t>(voice + mix - kSilenceSample);
}

void mixSound(const VoiceDef* voices, int count, uint8_t* out, uint8_t* scratch) {
  const int length = soundLength(voices, count);
  for (int j = 0; j < length; ++j) {
    out[j] = kSilenceSample;
    scratch[j] = kSilenceSample;
  }
  for (int v = 0; v < count; ++v) {
    renderVoice(voices[v], scratch);
    for (int j = 0; j < voices[v].length; ++j) out[j] = mixSample(scratch[j], out[j]);
  }
}

int initSound(void* window) {
  if (deviceOpen) return 1;
  if (!openSoundDevice(window)) return 0;
  for (int slot = 0; slot < kSoundSlotCount; ++slot) soundSlots[slot] = nullptr;
  deviceOpen = 1;
  return 1;
}

int createSynthSound(const VoiceDef* voices, int count, int slot) {
  // Without a device the game runs silent and loading simply goes on.
  if (!deviceOpen) return 1;
  if (voices == nullptr || count <= 0 || !validSlot(slot)) return 0;
  const int length = soundLength(voices, count);
  if (length <= 0) return 0;

  // The working memory is only needed while the sound is made, at start-up.
  uint8_t* work = new (std::nothrow) uint8_t[2 * static_cast<size_t>(length)];
  if (work == nullptr) return 0;
  mixSound(voices, count, work, work + length);
  DeviceBuffer* buffer = createDeviceBuffer(work, length);
  delete[] work;
  if (buffer == nullptr) return 0;
  putInSlot(buffer, slot);
  return 1;
}

int loadWaveResource(const char* name, int slot) {
  if (!deviceOpen) return 1;
  if (name == nullptr || !validSlot(slot)) return 0;
  size_t size = 0;
  const uint8_t* bytes = findSoundResource(name, &size);
  return bytes != nullptr && loadWaveBytes(bytes, size, slot);
}

int loadWaveFile(const char* name, int slot) {
  if (!deviceOpen) return 1;
  // The pictures' folder and name rules, so a name means the same file for both.
  std::FILE* file = validSlot(slot) ? openBaseFile(name) : nullptr;
  if (file == nullptr) return 0;
  size_t size = 0;
  uint8_t* bytes = readWholeFile(file, &size);
  std::fclose(file);
  if (bytes == nullptr) return 0;
  const int loaded = loadWaveBytes(bytes, size, slot);
  delete[] bytes;
  return loaded;
}

void setSoundFrequency(int slot, int value) {
  DeviceBuffer* buffer = slotBuffer(slot);
  const long long hertz = static_cast<long long>(value) * kFrequencyPerValue + kFrequencyAtZero;
  if (buffer != nullptr)
    setDeviceBufferFrequency(buffer, clampToRange(hertz, kDeviceFrequencyLowest, kDeviceFrequencyHighest));
}

void setSoundVolume(int slot, int value) {
  DeviceBuffer* buffer = slotBuffer(slot);
  const long long volume = static_cast<long long>(value) * kVolumePerValue + kVolumeAtZero;
  if (buffer != nullptr) setDeviceBufferVolume(buffer, clampToRange(volume, kDeviceVolumeSilent, kDeviceVolumeFull));
}

void setSoundPan(int slot, int value) {
  DeviceBuffer* buffer = slotBuffer(slot);
  const long long pan = (static_cast<long long>(value) - kPanCentreValue) * kPanPerValue;
  if (buffer != nullptr) setDeviceBufferPan(buffer, clampToRange(pan, kDevicePanLeft, kDevicePanRight));
}

void setSoundMuted(int muted) { soundMuted = muted ? 1 : 0; }

void playSound(int slot, int mode) {
  noteSoundRequest(slot, mode);
  if (!deviceOpen || soundMuted || !validSlot(slot)) return;
  DeviceBuffer* buffer = soundSlots[slot];
  if (buffer == nullptr) return;
  switch (mode) {
    case kPlayOnce:
      // Cuts off a playing instance of the same sound.
      stopDeviceBuffer(buffer);
      rewindDeviceBuffer(buffer);
      playDeviceBuffer(buffer, 0);
      break;
    case kPlayStop:
      stopDeviceBuffer(buffer);
      rewindDeviceBuffer(buffer);
      break;
    case kPlayLoop:
      // No stop or rewind: a paused sound resumes, a playing one keeps going.
      playDeviceBuffer(buffer, 1);
      break;
    default:
      break;
  }
}

void shutdownSound() {
  if (!deviceOpen) return;
  for (int slot = 0; slot < kSoundSlotCount; ++slot) {
    if (soundSlots[slot] == nullptr) continue;
    releaseDeviceBuffer(soundSlots[slot]);
    soundSlots[slot] = nullptr;
  }
  closeSoundDevice();
  deviceOpen = 0;
}
