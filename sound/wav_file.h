// RIFF WAVE files of the game's sample format: PCM, 1 channel, 22050 Hz,
// 8-bit unsigned.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kWavHeaderBytes = 44;

// The 44-byte header of a file whose data chunk holds dataBytes samples
// (an odd count is followed by one pad byte, counted in the RIFF size).
void buildWavHeader(uint8_t* header, uint32_t dataBytes);

// The whole file: the header, the samples and the pad byte an odd count needs.
std::vector<uint8_t> buildWavFile(const uint8_t* samples, size_t count);
