// WAV writer shared by pinwick-tool sounds and the replay's audio output.
#include "sound/wav_file.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "sound/synth.h"

namespace {
constexpr uint32_t kFormatChunkBytes = 16;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kChannels = 1;
constexpr uint16_t kBitsPerSample = 8;
constexpr uint16_t kBlockAlign = 1;
constexpr uint32_t kRiffHeadBytes = 36;  // "WAVE", the format chunk and the data chunk's head
const char kTemporarySuffix[] = ".part";

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

// Removes the temporary file without losing the errno that explains why.
int giveUp(const std::string& temporary) {
  int why = errno;
  std::remove(temporary.c_str());
  errno = why;
  return 0;
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

int writeWavFile(const char* path, const uint8_t* samples, int count) {
  if (count < 0) {
    errno = EINVAL;
    return 0;
  }
  const std::string temporary = std::string(path) + kTemporarySuffix;
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return 0;

  uint8_t header[kWavHeaderBytes];
  buildWavHeader(header, static_cast<uint32_t>(count));
  const uint8_t pad = 0;
  const size_t size = static_cast<size_t>(count);
  bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header &&
                 std::fwrite(samples, 1, size, file) == size && ((count & 1) == 0 || std::fwrite(&pad, 1, 1, file) == 1);
  if (std::fclose(file) != 0) written = false;
  if (!written) return giveUp(temporary);
  if (std::rename(temporary.c_str(), path) != 0) return giveUp(temporary);
  return 1;
}
