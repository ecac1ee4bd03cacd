// The SDL sound device on SDL's dummy driver, its callback held still so that
// the mix can be read by hand: play, loop, stop, rewind, the clamped sum, and
// the bank's sounds coming out as they were made.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "sound/bank.h"
#include "sound/device.h"
#include "sound/device_sdl.h"
#include "sound/voices.h"

namespace {

class SdlSound : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(openSoundDevice(nullptr), 1) << SDL_GetError();
    setSdlSoundRunning(0);
  }
  void TearDown() override { closeSoundDevice(); }
  static DeviceBuffer* make(std::initializer_list<uint8_t> samples) {
    std::vector<uint8_t> v(samples);
    return createDeviceBuffer(v.data(), static_cast<int>(v.size()));
  }
  static std::vector<uint8_t> mix(int count) {
    std::vector<uint8_t> out(count);
    mixSdlSound(out.data(), count);
    return out;
  }
  using Bytes = std::vector<uint8_t>;
};

TEST_F(SdlSound, OneShotPlaysToItsEndThenStopsRewound) {
  DeviceBuffer* b = make({130, 140, 150});
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(mix(2), (Bytes{128, 128}));  // made stopped
  playDeviceBuffer(b, 0);
  EXPECT_EQ(mix(5), (Bytes{130, 140, 150, 128, 128}));
  playDeviceBuffer(b, 0);  // starts again from the first sample
  EXPECT_EQ(mix(2), (Bytes{130, 140}));
}

TEST_F(SdlSound, StopKeepsThePlaceRewindGoesBackLoopingGoesRound) {
  DeviceBuffer* b = make({1 + 128, 2 + 128, 3 + 128});
  ASSERT_NE(b, nullptr);
  playDeviceBuffer(b, 1);
  EXPECT_EQ(mix(7), (Bytes{129, 130, 131, 129, 130, 131, 129}));
  stopDeviceBuffer(b);
  EXPECT_EQ(mix(1), (Bytes{128}));
  playDeviceBuffer(b, 1);  // continues where it stopped
  EXPECT_EQ(mix(2), (Bytes{130, 131}));
  rewindDeviceBuffer(b);  // while playing
  EXPECT_EQ(mix(1), (Bytes{129}));
  playDeviceBuffer(b, 0);  // the latest call decides: no more looping
  EXPECT_EQ(mix(4), (Bytes{130, 131, 128, 128}));
}

TEST_F(SdlSound, SignalsAddAndClamp) {
  DeviceBuffer* a = make({200, 40, 200, 128});
  DeviceBuffer* b = make({200, 40, 60, 128});
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  playDeviceBuffer(a, 0);
  playDeviceBuffer(b, 0);
  EXPECT_EQ(mix(4), (Bytes{255, 0, 132, 128}));
  releaseDeviceBuffer(a);
  playDeviceBuffer(b, 0);
  EXPECT_EQ(mix(3), (Bytes{200, 40, 60}));  // the released one is gone from the mix
}

TEST_F(SdlSound, TheBankSoundsComeOutAsMade) {
  closeSoundDevice();  // the bank opens the device itself
  ASSERT_EQ(initSound(nullptr), 1);
  setSdlSoundRunning(0);
  for (const SoundRun& run : kShippedSounds)
    ASSERT_EQ(createSynthSound(&kShippedVoices[run.firstVoice], run.voiceCount, run.slot), 1) << run.slot;
  playSound(4, kPlayOnce);
  EXPECT_EQ(mix(8), (Bytes{97, 97, 98, 98, 99, 99, 100, 100}));
  playSound(4, kPlayStop);
  playSound(1, kPlayOnce);
  EXPECT_EQ(mix(8), (Bytes{128, 128, 130, 132, 134, 136, 138, 139}));
  shutdownSound();
}

TEST(SdlSoundWithoutDevice, NoDriverMeansSilenceAndNoBuffers) {
  setenv("SDL_AUDIODRIVER", "pinwick-no-such-driver", 1);
  EXPECT_EQ(openSoundDevice(nullptr), 0);
  const uint8_t samples[] = {1, 2, 3};
  EXPECT_EQ(createDeviceBuffer(samples, 3), nullptr);
  closeSoundDevice();  // harmless
  EXPECT_EQ(initSound(nullptr), 0);
  playSound(1, kPlayOnce);  // does nothing
  shutdownSound();
}

}  // namespace
