// RIFF WAVE files of the game's sample format: PCM, 1 channel, 22050 Hz,
// 8-bit unsigned.
#pragma once
#include <cstdint>

constexpr int kWavHeaderBytes = 44;

// The 44-byte header of a file whose data chunk holds dataBytes samples
// (an odd count is followed by one pad byte, counted in the RIFF size).
void buildWavHeader(uint8_t* header, uint32_t dataBytes);

// Writes path whole or not at all: the bytes go to a temporary file beside
// it, which is renamed into place only once everything is written and closed.
// Returns 1 when written; 0 otherwise, with errno from the step that failed
// and nothing left behind.
int writeWavFile(const char* path, const uint8_t* samples, int count);
