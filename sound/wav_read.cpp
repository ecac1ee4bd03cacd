// The RIFF chunk walk of readWavSamples.
#include "sound/wav_read.h"

#include <cstring>

#include "sound/synth.h"

namespace {
constexpr size_t kTagBytes = 4;
constexpr size_t kChunkHeadBytes = 8;  // tag and little-endian size
constexpr size_t kRiffHeadBytes = 12;  // "RIFF", size, "WAVE"
constexpr uint32_t kFormatBytes = 16;  // the PCM format record; longer ones carry extras
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kChannels = 1;
constexpr uint16_t kBitsPerSample = 8;
constexpr uint16_t kBlockAlign = 1;
constexpr uint32_t kMostSamples = 0x7FFFFFFF;  // the count is an int
constexpr uint32_t kRate = kSampleRate;

uint16_t get16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

uint32_t get32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
         static_cast<uint32_t>(at[3]) << 24;
}

bool isTag(const uint8_t* at, const char* tag) { return std::memcmp(at, tag, kTagBytes) == 0; }

// The one format the devices' buffers take; the rate field must agree with it.
bool playableFormat(const uint8_t* format) {
  return get16(format + 0) == kFormatPcm && get16(format + 2) == kChannels && get32(format + 4) == kRate &&
         get32(format + 8) == kRate * kBlockAlign && get16(format + 12) == kBlockAlign &&
         get16(format + 14) == kBitsPerSample;
}
}  // namespace

int readWavSamples(const uint8_t* bytes, size_t size, WavSamples* out) {
  if (bytes == nullptr || size < kRiffHeadBytes) return 0;
  if (!isTag(bytes, "RIFF") || !isTag(bytes + kChunkHeadBytes, "WAVE")) return 0;
  // The RIFF size bounds the walk; one that claims more than there is means
  // a cut-off file.
  const uint32_t riffSize = get32(bytes + kTagBytes);
  if (riffSize < kTagBytes || riffSize > size - kChunkHeadBytes) return 0;
  const size_t end = kChunkHeadBytes + riffSize;

  const uint8_t* format = nullptr;
  const uint8_t* data = nullptr;
  uint32_t dataSize = 0;
  for (size_t at = kRiffHeadBytes; at + kChunkHeadBytes <= end && (format == nullptr || data == nullptr);) {
    const uint32_t chunkSize = get32(bytes + at + kTagBytes);
    const size_t body = at + kChunkHeadBytes;
    if (chunkSize > end - body) return 0;
    if (format == nullptr && isTag(bytes + at, "fmt ")) {
      if (chunkSize < kFormatBytes) return 0;
      format = bytes + body;
    } else if (data == nullptr && isTag(bytes + at, "data")) {
      data = bytes + body;
      dataSize = chunkSize;
    }
    // An odd-sized chunk is followed by a pad byte the size leaves out.
    at = body + chunkSize + (chunkSize & 1u);
  }
  if (format == nullptr || data == nullptr || !playableFormat(format)) return 0;
  if (dataSize == 0 || dataSize > kMostSamples) return 0;
  *out = WavSamples{data, static_cast<int>(dataSize)};
  return 1;
}
