// The sound bank over the device seam: slot table, mixing and play modes.
#include "sound/bank.h"

#include <cstddef>
#include <new>

#include "sound/device.h"

namespace {
constexpr int kMixLow = -127;
constexpr int kMixHigh = 127;
constexpr int kByteOffset = 256;  // voice + mix - 256 is the signed sum
constexpr uint8_t kClampLow = 0;
constexpr uint8_t kClampHigh = 255;

int deviceOpen = 0;
int soundMuted = 0;  // the player's choice; kept across shutdownSound
DeviceBuffer* soundSlots[kSoundSlotCount];

bool validSlot(int slot) { return slot >= 0 && slot < kSoundSlotCount; }
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

  if (soundSlots[slot] != nullptr) releaseDeviceBuffer(soundSlots[slot]);
  soundSlots[slot] = buffer;
  return 1;
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
