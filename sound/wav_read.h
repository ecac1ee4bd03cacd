// Reading RIFF WAVE bytes for the sound bank: the chunks are walked one by
// one, and only what the sound device plays is taken.
#pragma once
#include <cstddef>
#include <cstdint>

// The samples of a wave: a view into the bytes they were read from.
struct WavSamples {
  const uint8_t* samples;
  int count;
};

// Walks "RIFF" / "WAVE" and its chunks (each padded to an even size, unknown
// ones skipped) for the first "fmt " and "data" chunks. 1 when the format is
// PCM, mono, 8-bit unsigned at 22050 Hz and the data holds at least one
// sample; 0, with *out untouched, for anything else: a size field reaching
// past the bytes given, a missing chunk, another format, no samples.
int readWavSamples(const uint8_t* bytes, size_t size, WavSamples* out);
