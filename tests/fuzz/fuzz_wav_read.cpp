// libFuzzer target for the wave reader (make fuzz): any bytes must give a
// clean 0 with nothing written, or samples that lie wholly within them.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sound/wav_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The input in a buffer of exactly its own size, so that any read past the
  // end is caught.
  std::vector<uint8_t> bytes(data, data + size);
  WavSamples wave = {nullptr, -1};
  const int read = readWavSamples(bytes.data(), bytes.size(), &wave);
  if (!read) {
    if (wave.samples != nullptr || wave.count != -1) std::abort();
    return 0;
  }
  const uint8_t* begin = bytes.data();
  if (wave.count < 1 || wave.samples < begin || wave.samples + wave.count > begin + bytes.size()) std::abort();
  // Every sample is read, so that one outside the bytes is caught.
  volatile unsigned sum = 0;
  for (int i = 0; i < wave.count; ++i) sum = sum + wave.samples[i];
  return 0;
}
