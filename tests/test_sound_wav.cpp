// The WAV writer: header layout, whole files or none.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/wav_file.h"

namespace {

uint32_t read32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24; }
uint16_t read16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

std::vector<uint8_t> readFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  int c;
  while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
  std::fclose(file);
  return bytes;
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

std::string makeTempDir() {
  char pattern[] = "/tmp/pinwick-wav-XXXXXX";
  const char* dir = mkdtemp(pattern);
  return dir ? dir : "";
}

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

TEST(WavFile, HoldsTheHeaderAndExactlyTheSamples) {
  const std::string dir = makeTempDir();
  ASSERT_FALSE(dir.empty());
  const std::string path = dir + "/odd.wav";
  const std::vector<uint8_t> samples = {0, 128, 255};
  ASSERT_EQ(writeWavFile(path.c_str(), samples.data(), 3), 1);
  std::vector<uint8_t> bytes = readFile(path);
  ASSERT_EQ(bytes.size(), static_cast<size_t>(kWavHeaderBytes + 4));
  uint8_t header[kWavHeaderBytes];
  buildWavHeader(header, 3);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + kWavHeaderBytes),
            std::vector<uint8_t>(header, header + kWavHeaderBytes));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + kWavHeaderBytes, bytes.end()),
            (std::vector<uint8_t>{0, 128, 255, 0}));
  EXPECT_FALSE(exists(path + ".part"));

  // Writing again replaces the file whole.
  ASSERT_EQ(writeWavFile(path.c_str(), samples.data(), 2), 1);
  EXPECT_EQ(readFile(path).size(), static_cast<size_t>(kWavHeaderBytes + 2));
  std::remove(path.c_str());
  rmdir(dir.c_str());
}

TEST(WavFile, FailsWithoutLeavingAnythingBehind) {
  const std::string dir = makeTempDir();
  ASSERT_FALSE(dir.empty());
  const uint8_t samples[4] = {1, 2, 3, 4};

  errno = 0;
  EXPECT_EQ(writeWavFile((dir + "/missing/s.wav").c_str(), samples, 4), 0);
  EXPECT_EQ(errno, ENOENT);

  // The target is a directory: the samples get written, the rename fails,
  // and the temporary file goes again.
  const std::string taken = dir + "/taken.wav";
  ASSERT_EQ(mkdir(taken.c_str(), 0755), 0);
  EXPECT_EQ(writeWavFile(taken.c_str(), samples, 4), 0);
  EXPECT_NE(errno, 0);
  EXPECT_FALSE(exists(taken + ".part"));
  rmdir(taken.c_str());
  EXPECT_EQ(rmdir(dir.c_str()), 0) << "something was left in " << dir;
}

}  // namespace
