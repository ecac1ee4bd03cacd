// WAV files as pinwick-tool sounds and the replay's audio write them.
#include "sound/wav_file.h"

#include <algorithm>

#include "sound/synth.h"

namespace {
constexpr uint32_t kFormatChunkBytes = 16;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kChannels = 1;
constexpr uint16_t kBitsPerSample = 8;
constexpr uint16_t kBlockAlign = 1;
constexpr uint32_t kRiffHeadBytes = 36;  // "WAVE", the format chunk and the data chunk's head

void put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

void put16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void putTag(uint8_t* at, const char* tag) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(tag[i]);
}
}  // namespace

void buildWavHeader(uint8_t* header, uint32_t dataBytes) {
  const uint32_t padded = dataBytes + (dataBytes & 1u);
  putTag(header + 0, "RIFF");
  put32(header + 4, kRiffHeadBytes + padded);
  putTag(header + 8, "WAVE");
  putTag(header + 12, "fmt ");
  put32(header + 16, kFormatChunkBytes);
  put16(header + 20, kFormatPcm);
  put16(header + 22, kChannels);
  put32(header + 24, kSampleRate);
  put32(header + 28, kSampleRate * kBlockAlign);
  put16(header + 32, kBlockAlign);
  put16(header + 34, kBitsPerSample);
  putTag(header + 36, "data");
  put32(header + 40, dataBytes);
}

std::vector<uint8_t> buildWavFile(const uint8_t* samples, size_t count) {
  std::vector<uint8_t> file(kWavHeaderBytes + count + (count & 1u), 0);
  buildWavHeader(file.data(), static_cast<uint32_t>(count));
  std::copy(samples, samples + count, file.begin() + kWavHeaderBytes);
  return file;
}
