// The sound bank: the eight finished sounds, mixing, and every play mode as
// heard through the headless device.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "game/random.h"
#include "game/random_testing.h"
#include "sound/bank.h"
#include "sound/device_headless.h"
#include "sound/voices.h"

namespace {

std::vector<uint8_t> shippedSound(int index) {
  const SoundRun& run = kShippedSounds[index];
  const VoiceDef* voices = kShippedVoices + run.firstVoice;
  const size_t length = static_cast<size_t>(soundLength(voices, run.voiceCount));
  std::vector<uint8_t> out(length), scratch(length);
  mixSound(voices, run.voiceCount, out.data(), scratch.data());
  return out;
}

std::vector<uint8_t> listen(int count) {
  std::vector<uint8_t> out(static_cast<size_t>(count));
  mixHeadlessSound(out.data(), count);
  return out;
}

std::vector<uint8_t> slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
  return std::vector<uint8_t>(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(from + count));
}

std::vector<uint8_t> silence(size_t count) { return std::vector<uint8_t>(count, 128); }

uint64_t fnv1a(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3u;
  return hash;
}

int countCalls(int kind) {
  int n = 0;
  for (int i = 0; i < headlessSoundCallCount(); ++i) n += headlessSoundCall(i).kind == kind;
  return n;
}

TEST(SoundMixing, AddsTheSignalsAndClamps) {
  EXPECT_EQ(mixSample(200, 200), 255);
  EXPECT_EQ(mixSample(40, 40), 0);
  EXPECT_EQ(mixSample(200, 60), 132);
  EXPECT_EQ(mixSample(255, 0), 127);
  EXPECT_EQ(mixSample(0, 0), 0);
  for (int v = 0; v < 256; ++v) EXPECT_EQ(mixSample(static_cast<uint8_t>(v), 128), v);
}

TEST(ShippedSounds, OpenWithTheirKnownBytes) {
  const std::vector<uint8_t> four = {97, 97, 98, 98, 99, 99, 100, 100};
  const std::vector<uint8_t> one = {128, 128, 130, 132, 134, 136, 138, 139};
  const std::vector<uint8_t> six = {128, 133, 141, 149, 157, 164, 169, 173};
  EXPECT_EQ(slice(shippedSound(3), 0, 8), four);
  EXPECT_EQ(slice(shippedSound(0), 0, 8), one);
  EXPECT_EQ(slice(shippedSound(5), 0, 8), six);
}

// Every byte of every sound. The hashes were checked against a separate
// implementation of the synthesis rules written in another language.
TEST(ShippedSounds, HaveExactlyTheirBytes) {
  const size_t lengths[kShippedSoundCount] = {10000, 10000, 6000, 4000, 10000, 10000, 22050, 22000};
  const uint64_t hashes[kShippedSoundCount] = {
      0x33b96319d5e3b098u, 0xf2bbb864a4798657u, 0xe88220ed986cc322u, 0x5356ca41627655dcu,
      0x46308da9c806f11bu, 0x6650ea68c5c2caf6u, 0xe53ababa7c1d16a9u, 0x2d746fad03db7d8au,
  };
  int nextVoice = 0;
  for (int s = 0; s < kShippedSoundCount; ++s) {
    EXPECT_EQ(kShippedSounds[s].slot, s + 1);
    EXPECT_EQ(kShippedSounds[s].firstVoice, nextVoice);
    nextVoice += kShippedSounds[s].voiceCount;
    std::vector<uint8_t> bytes = shippedSound(s);
    EXPECT_EQ(bytes.size(), lengths[s]) << "sound " << s + 1;
    EXPECT_EQ(fnv1a(bytes), hashes[s]) << "sound " << s + 1;
  }
  EXPECT_EQ(nextVoice, kShippedVoiceCount);
}

TEST(ShippedSounds, KeepTheLongVoiceBeyondTheShortOnes) {
  // Sound 1: voices of 1000, 10000 and 1000 samples. From sample 1000 on only
  // the long voice sounds, mixed into silence, so it passes unchanged.
  std::vector<uint8_t> sound = shippedSound(0);
  std::vector<uint8_t> longVoice(10000);
  renderVoice(kShippedVoices[1], longVoice.data());
  EXPECT_EQ(slice(sound, 1000, 9000), slice(longVoice, 1000, 9000));
}

class SoundBank : public ::testing::Test {
 protected:
  void SetUp() override {
    shutdownSound();
    setHeadlessSoundDeviceAvailable(1);
    setHeadlessSoundBuffersAvailable(1);
    ASSERT_EQ(initSound(nullptr), 1);
    for (const SoundRun& run : kShippedSounds) {
      ASSERT_EQ(createSynthSound(kShippedVoices + run.firstVoice, run.voiceCount, run.slot), 1);
    }
    clearHeadlessSoundCalls();
  }
  void TearDown() override {
    shutdownSound();
    setHeadlessSoundDeviceAvailable(1);
    setHeadlessSoundBuffersAvailable(1);
    clearHeadlessSoundCalls();
  }
};

TEST_F(SoundBank, EachSlotHoldsItsFinishedSound) {
  for (int s = 0; s < kShippedSoundCount; ++s) {
    std::vector<uint8_t> expected = shippedSound(s);
    playSound(s + 1, kPlayOnce);
    EXPECT_EQ(listen(static_cast<int>(expected.size())), expected) << "slot " << s + 1;
    EXPECT_EQ(listen(100), silence(100)) << "slot " << s + 1 << " plays once";
  }
}

TEST_F(SoundBank, PlayOnceRestartsAPlayingSound) {
  std::vector<uint8_t> sound = shippedSound(3);
  playSound(4, kPlayOnce);
  EXPECT_EQ(listen(1500), slice(sound, 0, 1500));
  playSound(4, kPlayOnce);
  EXPECT_EQ(listen(4000), sound);
  EXPECT_EQ(listen(10), silence(10));
}

TEST_F(SoundBank, StopSilencesAndRewinds) {
  std::vector<uint8_t> sound = shippedSound(3);
  playSound(4, kPlayStop);  // on a silent sound it only rewinds
  EXPECT_EQ(listen(50), silence(50));
  playSound(4, kPlayOnce);
  listen(1000);
  playSound(4, kPlayStop);
  EXPECT_EQ(listen(500), silence(500));
  playSound(4, kPlayLoop);  // rewound, so the loop starts from the beginning
  EXPECT_EQ(listen(4000), sound);
  EXPECT_EQ(listen(4000), sound);
}

TEST_F(SoundBank, LoopContinuesAPlayingSoundFromWhereItIs) {
  std::vector<uint8_t> sound = shippedSound(3);
  playSound(4, kPlayOnce);
  listen(1000);
  playSound(4, kPlayLoop);
  EXPECT_EQ(listen(3000), slice(sound, 1000, 3000));
  EXPECT_EQ(listen(4000), sound);
  playSound(4, kPlayLoop);  // already looping: it just keeps going
  EXPECT_EQ(listen(200), slice(sound, 0, 200));
}

TEST_F(SoundBank, TheEndingTuneLoopsUntilStoppedAndThenStartsOver) {
  std::vector<uint8_t> tune = shippedSound(6);
  playSound(7, kPlayLoop);
  listen(22050 * 3 + 5000);
  playSound(7, kPlayStop);
  EXPECT_EQ(listen(22050), silence(22050));
  playSound(7, kPlayLoop);
  EXPECT_EQ(listen(22050), tune);
}

TEST_F(SoundBank, DifferentSoundsOverlap) {
  std::vector<uint8_t> a = shippedSound(0), b = shippedSound(5);
  playSound(1, kPlayOnce);
  playSound(6, kPlayOnce);
  std::vector<uint8_t> heard = listen(10000);
  for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], mixSample(a[i], b[i])) << "sample " << i;
}

TEST_F(SoundBank, OtherModesAndEmptySlotsDoNothing) {
  for (int mode : {2, -2, 100}) playSound(4, mode);
  for (int slot : {0, 9, 255, -1, 256, 100000}) {
    playSound(slot, kPlayOnce);
    playSound(slot, kPlayLoop);
  }
  EXPECT_EQ(listen(5000), silence(5000));
  EXPECT_EQ(headlessSoundCallCount(), countCalls(kSoundCallRequest));
  EXPECT_EQ(countCalls(kSoundCallRequest), 15);
}

TEST_F(SoundBank, RecordsEveryRequestForTheTrace) {
  char text[64];
  EXPECT_EQ(formatHeadlessSoundRequests(text, sizeof text), 1);
  EXPECT_STREQ(text, "-");
  playSound(1, kPlayOnce);
  playSound(7, kPlayLoop);
  playSound(42, 3);  // does nothing, but was asked for
  playSound(7, kPlayStop);
  EXPECT_EQ(formatHeadlessSoundRequests(text, sizeof text), 1);
  EXPECT_STREQ(text, "1:1,7:-1,42:3,7:0");
  EXPECT_EQ(formatHeadlessSoundRequests(text, 8), 0);
  clearHeadlessSoundCalls();
  EXPECT_EQ(formatHeadlessSoundRequests(text, sizeof text), 1);
  EXPECT_STREQ(text, "-");
}

TEST_F(SoundBank, ReplacingASoundReleasesTheOldBuffer) {
  const VoiceDef* click = kShippedVoices + kShippedSounds[3].firstVoice;
  ASSERT_EQ(createSynthSound(click, 1, 1), 1);
  EXPECT_EQ(countCalls(kSoundCallCreate), 1);
  EXPECT_EQ(countCalls(kSoundCallRelease), 1);
  playSound(1, kPlayOnce);
  EXPECT_EQ(listen(4000), shippedSound(3));
}

TEST_F(SoundBank, RefusesUnusableRequestsAndKeepsTheSlot) {
  const VoiceDef* click = kShippedVoices + kShippedSounds[3].firstVoice;
  EXPECT_EQ(createSynthSound(click, 1, 256), 0);
  EXPECT_EQ(createSynthSound(click, 1, -1), 0);
  EXPECT_EQ(createSynthSound(click, 0, 20), 0);
  EXPECT_EQ(createSynthSound(nullptr, 1, 20), 0);
  VoiceDef empty = *click;
  empty.length = 0;
  EXPECT_EQ(createSynthSound(&empty, 1, 4), 0);
  EXPECT_EQ(countCalls(kSoundCallCreate), 0);

  setHeadlessSoundBuffersAvailable(0);
  EXPECT_EQ(createSynthSound(click, 1, 20), 0);
  EXPECT_EQ(createSynthSound(click, 1, 4), 0);
  playSound(20, kPlayOnce);
  EXPECT_EQ(listen(100), silence(100));
  playSound(4, kPlayOnce);  // still the sound it had
  EXPECT_EQ(listen(4000), shippedSound(3));
}

TEST_F(SoundBank, ShutdownReleasesSlotsInOrderThenTheDevice) {
  // Slot 8 was created last; put a newer sound into slot 0 to see the order.
  const VoiceDef* click = kShippedVoices + kShippedSounds[3].firstVoice;
  ASSERT_EQ(createSynthSound(click, 1, 0), 1);
  const int slotZeroBuffer = headlessSoundCall(0).id;
  clearHeadlessSoundCalls();
  playSound(7, kPlayLoop);
  shutdownSound();
  ASSERT_EQ(headlessSoundCallCount(), 1 + 1 + 9 + 1);  // request, play, nine releases, close
  EXPECT_EQ(headlessSoundCall(2).kind, kSoundCallRelease);
  EXPECT_EQ(headlessSoundCall(2).id, slotZeroBuffer);
  for (int i = 3; i < 11; ++i) {
    EXPECT_EQ(headlessSoundCall(i).kind, kSoundCallRelease);
    EXPECT_EQ(headlessSoundCall(i).id, i - 2) << "slot " << i - 2 << " holds buffer " << i - 2;
  }
  EXPECT_EQ(headlessSoundCall(11).kind, kSoundCallClose);
  EXPECT_EQ(listen(100), silence(100));

  // Afterwards everything is a no-op, a second shutdown included.
  clearHeadlessSoundCalls();
  shutdownSound();
  playSound(7, kPlayLoop);
  EXPECT_EQ(createSynthSound(click, 1, 4), 1);
  EXPECT_EQ(countCalls(kSoundCallRequest), 1);
  EXPECT_EQ(headlessSoundCallCount(), 1);
}

TEST_F(SoundBank, ControlsMapTheirValuesAndClamp) {
  struct Case {
    void (*set)(int slot, int value);
    int kind, value, sent;
  };
  const Case cases[] = {
      {setSoundFrequency, kSoundCallFrequency, 0, 100},    {setSoundFrequency, kSoundCallFrequency, 2195, 22050},
      {setSoundFrequency, kSoundCallFrequency, -11, 100},  {setSoundFrequency, kSoundCallFrequency, INT_MAX, 100000},
      {setSoundVolume, kSoundCallVolume, 299, -8},         {setSoundVolume, kSoundCallVolume, 301, 0},
      {setSoundVolume, kSoundCallVolume, -951, -10000},    {setSoundVolume, kSoundCallVolume, INT_MIN, -10000},
      {setSoundPan, kSoundCallPan, 0, -2560},              {setSoundPan, kSoundCallPan, 1257, 10000},
      {setSoundPan, kSoundCallPan, INT_MIN, -10000},
  };
  for (const Case& c : cases) {
    clearHeadlessSoundCalls();
    c.set(4, c.value);
    ASSERT_EQ(headlessSoundCallCount(), 1) << c.value;
    EXPECT_EQ(headlessSoundCall(0).kind, c.kind) << c.value;
    EXPECT_EQ(headlessSoundCall(0).id, 4) << "slot 4 holds buffer 4";
    EXPECT_EQ(headlessSoundCall(0).value, c.sent) << c.value;
  }
  clearHeadlessSoundCalls();
  for (const Case& c : cases)
    for (int slot : {0, 9, -1, 256}) c.set(slot, c.value);
  EXPECT_EQ(headlessSoundCallCount(), 0);
}

TEST(SoundWithoutDevice, EverythingIsSilentAndLoadingGoesOn) {
  shutdownSound();
  setHeadlessSoundDeviceAvailable(0);
  clearHeadlessSoundCalls();
  EXPECT_EQ(initSound(nullptr), 0);
  seedRandom(4242);
  const uint32_t before = randomState();
  for (const SoundRun& run : kShippedSounds) {
    EXPECT_EQ(createSynthSound(kShippedVoices + run.firstVoice, run.voiceCount, run.slot), 1);
  }
  EXPECT_EQ(randomState(), before);  // nothing was rendered
  EXPECT_EQ(loadWaveFile("no such file.wav", 9), 1);
  EXPECT_EQ(loadWaveResource("no such sound", 9), 1);
  playSound(1, kPlayOnce);
  playSound(7, kPlayLoop);
  setSoundVolume(1, 0);
  shutdownSound();
  EXPECT_EQ(headlessSoundCallCount(), 2);  // the two requests, nothing else
  EXPECT_EQ(countCalls(kSoundCallRequest), 2);
  setHeadlessSoundDeviceAvailable(1);
  clearHeadlessSoundCalls();
}

}  // namespace
