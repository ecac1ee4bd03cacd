// The WAV file: the header's layout, the samples and the pad byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/wav_file.h"

namespace {

uint32_t read32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24; }
uint16_t read16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

TEST(WavHeader, DescribesEightBitMonoAt22050) {
  uint8_t h[kWavHeaderBytes];
  buildWavHeader(h, 10000);
  EXPECT_EQ(std::string(h, h + 4), "RIFF");
  EXPECT_EQ(read32(h + 4), 36u + 10000u);
  EXPECT_EQ(std::string(h + 8, h + 16), "WAVEfmt ");
  EXPECT_EQ(read32(h + 16), 16u);
  EXPECT_EQ(read16(h + 20), 1);  // PCM
  EXPECT_EQ(read16(h + 22), 1);  // channels
  EXPECT_EQ(read32(h + 24), 22050u);
  EXPECT_EQ(read32(h + 28), 22050u);
  EXPECT_EQ(read16(h + 32), 1);  // block alignment
  EXPECT_EQ(read16(h + 34), 8);
  EXPECT_EQ(std::string(h + 36, h + 40), "data");
  EXPECT_EQ(read32(h + 40), 10000u);

  buildWavHeader(h, 4001);  // odd: the pad byte counts in RIFF, not in data
  EXPECT_EQ(read32(h + 4), 36u + 4002u);
  EXPECT_EQ(read32(h + 40), 4001u);
}

TEST(WavFile, HoldsTheHeaderExactlyTheSamplesAndThePad) {
  const std::vector<uint8_t> samples = {0, 128, 255};
  const std::vector<uint8_t> bytes = buildWavFile(samples.data(), 3);
  ASSERT_EQ(bytes.size(), static_cast<size_t>(kWavHeaderBytes + 4));
  uint8_t header[kWavHeaderBytes];
  buildWavHeader(header, 3);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + kWavHeaderBytes),
            std::vector<uint8_t>(header, header + kWavHeaderBytes));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + kWavHeaderBytes, bytes.end()),
            (std::vector<uint8_t>{0, 128, 255, 0}));
  EXPECT_EQ(buildWavFile(samples.data(), 2).size(), static_cast<size_t>(kWavHeaderBytes + 2));
}

}  // namespace
