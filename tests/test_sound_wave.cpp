// Wave sounds: the RIFF chunk walk, and loading into the bank from files and
// resources (the click as pinwick-tool sounds writes it), names and slot checked.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "gfx/base_directory.h"
#include "sound/bank.h"
#include "sound/device_headless.h"
#include "sound/voices.h"
#include "sound/wav_read.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Chunk {
  const char* tag;
  Bytes body;
};

void put32(Bytes& bytes, size_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void putChunk(Bytes& bytes, const Chunk& chunk) {
  bytes.insert(bytes.end(), chunk.tag, chunk.tag + 4);
  put32(bytes, chunk.body.size());
  bytes.insert(bytes.end(), chunk.body.begin(), chunk.body.end());
  if (chunk.body.size() & 1) bytes.push_back(0);
}

Bytes wave(std::initializer_list<Chunk> chunks) {
  Bytes body = {'W', 'A', 'V', 'E'};
  for (const Chunk& chunk : chunks) putChunk(body, chunk);
  Bytes bytes = {'R', 'I', 'F', 'F'};
  put32(bytes, body.size());
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

// PCM, 1 channel, 22050 Hz, 22050 bytes a second, block 1, 8 bits.
const Bytes kFormat = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0};

// A list chunk of odd size, a format record with its extra-size field, the samples.
Bytes unusualWave(const Bytes& samples) {
  Bytes longFormat = kFormat;
  longFormat.insert(longFormat.end(), {0, 0});
  return wave({{"LIST", {'I', 'N', 'F', 'O', 'x'}}, {"fmt ", longFormat}, {"data", samples}});
}

Bytes read(const Bytes& bytes) {
  WavSamples found = {nullptr, -1};
  if (!readWavSamples(bytes.data(), bytes.size(), &found)) return {};
  return Bytes(found.samples, found.samples + found.count);
}

bool refused(const Bytes& bytes) {
  WavSamples found = {nullptr, -1};
  return readWavSamples(bytes.data(), bytes.size(), &found) == 0 && found.count == -1;
}

TEST(WavReading, WalksTheChunksToTheSamples) {
  EXPECT_EQ(read(unusualWave({1, 2, 3})), Bytes({1, 2, 3}));
  EXPECT_EQ(read(wave({{"data", {1, 2, 3}}, {"fmt ", kFormat}})), Bytes({1, 2, 3}));
  EXPECT_EQ(read(wave({{"fmt ", kFormat}, {"odd ", {9}}, {"data", {7, 8}}})), Bytes({7, 8}));
  Bytes beyond = wave({{"fmt ", kFormat}});  // data after the RIFF's end is no part of it
  putChunk(beyond, {"data", {1}});
  EXPECT_TRUE(refused(beyond));
}

TEST(WavReading, RefusesCutLyingAndOtherFiles) {
  const Bytes whole = unusualWave({1, 2, 3});
  for (size_t size = 0; size < whole.size(); ++size)
    EXPECT_TRUE(refused(Bytes(whole.begin(), whole.begin() + static_cast<long>(size)))) << size << " bytes";
  // The data's size one more than there is, the list's far beyond, the
  // RIFF's beyond the file, no "WAVE".
  for (size_t at : {whole.size() - 8, size_t{16}, size_t{4}, size_t{8}}) {
    Bytes lying = whole;
    lying[at] = at == whole.size() - 8 ? 5 : 0xFF;
    EXPECT_TRUE(refused(lying)) << "byte " << at;
  }
  EXPECT_TRUE(refused(wave({{"fmt ", kFormat}})));
  EXPECT_TRUE(refused(wave({{"fmt ", kFormat}, {"data", {}}})));
  EXPECT_TRUE(refused(wave({{"data", {1}}})));
  // A short format record, though the next chunk's bytes would complete it.
  const char completing[] = {8, 0, 'x', 'x'};
  EXPECT_TRUE(refused(wave({{"fmt ", Bytes(kFormat.begin(), kFormat.end() - 2)}, {completing, {}}, {"data", {1}}})));
  // Float samples, stereo, another rate, a byte rate that disagrees, two-byte blocks, 16 bits.
  const std::pair<size_t, uint8_t> changes[] = {{0, 3}, {2, 2}, {5, 0xAC}, {9, 0xAC}, {12, 2}, {14, 16}};
  for (const auto& change : changes) {
    Bytes format = kFormat;
    format[change.first] = change.second;
    EXPECT_TRUE(refused(wave({{"fmt ", format}, {"data", {1, 2}}}))) << "format byte " << change.first;
  }
}

Bytes listen(int count) {
  Bytes out(static_cast<size_t>(count));
  mixHeadlessSound(out.data(), count);
  return out;
}

class WaveLoading : public ::testing::Test {
 protected:
  static constexpr int kSlot = 30;
  void SetUp() override {
    char pattern[] = "/tmp/pinwick-wave-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    ASSERT_EQ(mkdir((dir + "/sub").c_str(), 0700), 0);
    ASSERT_EQ(mkdir((dir + "/sub/x").c_str(), 0700), 0);
    write("old.wav", unusualWave({10, 20, 30}));
    write("sub/new.wav", unusualWave({200, 201}));
    shutdownSound();
    ASSERT_EQ(initSound(nullptr), 1);
    ASSERT_EQ(setBaseDirectory(dir.c_str()), 1);
    ASSERT_EQ(loadWaveFile("old.wav", kSlot), 1);
    clearHeadlessSoundCalls();
  }
  void TearDown() override {
    shutdownSound();
    setBaseDirectory(nullptr);
    clearHeadlessSoundCalls();
    EXPECT_EQ(std::system(("rm -rf " + dir).c_str()), 0);
  }
  void write(const char* name, const Bytes& bytes) {
    std::FILE* file = std::fopen((dir + "/" + name).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  Bytes heard(int count) {
    playSound(kSlot, kPlayOnce);
    return listen(count);
  }
  std::string dir;
};

TEST_F(WaveLoading, FilesAndResourcesReplaceTheSlot) {
  ASSERT_EQ(loadWaveFile("sub/new.wav", kSlot), 1);
  EXPECT_EQ(heard(3), Bytes({200, 201, 128}));
  write("..new.wav", unusualWave({77}));  // dots, but no ".." part
  ASSERT_EQ(loadWaveFile("..new.wav", kSlot), 1);
  EXPECT_EQ(heard(2), Bytes({77, 128}));
  ASSERT_EQ(setBaseDirectory((dir + "/sub/").c_str()), 1);
  EXPECT_EQ(loadWaveFile("new.wav", kSlot), 1);

  ASSERT_EQ(loadWaveResource("CLICK", kSlot), 1);
  const SoundRun& click = kShippedSounds[3];
  Bytes made(4000), scratch(4000);
  mixSound(kShippedVoices + click.firstVoice, click.voiceCount, made.data(), scratch.data());
  EXPECT_EQ(heard(4000), made);
}

TEST_F(WaveLoading, RefusalsLeaveTheSlot) {
  // Each refused name would find a wave here if it were looked for.
  for (const char* name : {"sub/C:old.wav", "sub/\\x.wav", "sub/..\\old.wav"}) write(name, unusualWave({1}));
  Bytes cut = unusualWave({1, 2, 3});
  cut.pop_back();
  write("sub/cut.wav", cut);
  write("sub/empty.wav", {});
  // Nothing writes to the FIFO: a loader that opened it would wait forever.
  ASSERT_EQ(mkfifo((dir + "/sub/fifo.wav").c_str(), 0600), 0);
  ASSERT_EQ(setBaseDirectory((dir + "/sub").c_str()), 1);
  const std::string absolute = dir + "/old.wav";
  for (const char* name : {"", "../old.wav", "..", "x/../../old.wav", "..\\old.wav", "\\x.wav", "C:old.wav",
                           absolute.c_str(), "missing.wav", "x", "cut.wav", "empty.wav", "fifo.wav"})
    EXPECT_EQ(loadWaveFile(name, kSlot), 0) << name;
  EXPECT_EQ(loadWaveFile(nullptr, kSlot), 0);
  EXPECT_EQ(loadWaveFile("new.wav", 256), 0);
  EXPECT_EQ(loadWaveFile("new.wav", -1), 0);
  EXPECT_EQ(loadWaveResource("Notes", kSlot), 0);  // a text, no wave
  EXPECT_EQ(loadWaveResource("no such sound", kSlot), 0);
  EXPECT_EQ(loadWaveResource(nullptr, kSlot), 0);
  EXPECT_EQ(headlessSoundCallCount(), 0) << "no buffer made";
  EXPECT_EQ(heard(4), Bytes({10, 20, 30, 128}));
  EXPECT_EQ(setBaseDirectory(std::string(kBaseFilePathSize, 'a').c_str()), 0);
  EXPECT_EQ(loadWaveFile("new.wav", kSlot), 0);
}

}  // namespace
