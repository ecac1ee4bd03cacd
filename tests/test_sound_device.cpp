// The headless sound device on its own: buffers stop, rewind, play and loop
// as DirectSound's do, and the output is their clamped sum.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sound/device.h"
#include "sound/device_headless.h"

namespace {

std::vector<uint8_t> listen(int count) {
  std::vector<uint8_t> out(static_cast<size_t>(count));
  mixHeadlessSound(out.data(), count);
  return out;
}

// 128 + 1, 128 + 2, ...: every sample tells where the buffer stood.
std::vector<uint8_t> ramp(int count) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(129 + i));
  return bytes;
}

std::vector<uint8_t> range(int from, int to) {
  std::vector<uint8_t> bytes;
  for (int i = from; i < to; ++i) bytes.push_back(static_cast<uint8_t>(129 + i));
  return bytes;
}

class HeadlessDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    setHeadlessSoundDeviceAvailable(1);
    setHeadlessSoundBuffersAvailable(1);
    ASSERT_EQ(openSoundDevice(nullptr), 1);
    clearHeadlessSoundCalls();
  }
  void TearDown() override {
    closeSoundDevice();
    clearHeadlessSoundCalls();
  }
};

TEST_F(HeadlessDevice, StopPausesAndPlayResumes) {
  DeviceBuffer* b = createDeviceBuffer(ramp(100).data(), 100);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(listen(5), std::vector<uint8_t>(5, 128));  // created stopped
  playDeviceBuffer(b, 0);
  EXPECT_EQ(listen(10), range(0, 10));
  stopDeviceBuffer(b);
  EXPECT_EQ(listen(10), std::vector<uint8_t>(10, 128));
  playDeviceBuffer(b, 0);
  EXPECT_EQ(listen(10), range(10, 20));
  playDeviceBuffer(b, 0);  // playing already: keeps going
  EXPECT_EQ(listen(10), range(20, 30));
  rewindDeviceBuffer(b);  // while playing: jumps back and plays on
  EXPECT_EQ(listen(10), range(0, 10));
  releaseDeviceBuffer(b);
}

TEST_F(HeadlessDevice, OneShotsEndAndLoopsWrap) {
  DeviceBuffer* b = createDeviceBuffer(ramp(100).data(), 100);
  ASSERT_NE(b, nullptr);
  playDeviceBuffer(b, 0);
  std::vector<uint8_t> heard = listen(150);
  EXPECT_EQ(std::vector<uint8_t>(heard.begin(), heard.begin() + 100), ramp(100));
  EXPECT_EQ(std::vector<uint8_t>(heard.begin() + 100, heard.end()), std::vector<uint8_t>(50, 128));

  playDeviceBuffer(b, 1);
  listen(90);
  EXPECT_EQ(listen(20), [] {
    std::vector<uint8_t> wrap = range(90, 100);
    std::vector<uint8_t> start = range(0, 10);
    wrap.insert(wrap.end(), start.begin(), start.end());
    return wrap;
  }());
  playDeviceBuffer(b, 0);  // the latest call decides: this pass is the last
  listen(90);
  EXPECT_EQ(listen(5), std::vector<uint8_t>(5, 128));
  releaseDeviceBuffer(b);
}

TEST_F(HeadlessDevice, MixesBuffersIntoAClampedSum) {
  const std::vector<uint8_t> loud(600, 250), quiet(600, 20), soft(600, 138);
  DeviceBuffer* a = createDeviceBuffer(loud.data(), 600);
  DeviceBuffer* b = createDeviceBuffer(loud.data(), 600);
  DeviceBuffer* c = createDeviceBuffer(quiet.data(), 600);
  DeviceBuffer* e = createDeviceBuffer(quiet.data(), 600);
  DeviceBuffer* d = createDeviceBuffer(soft.data(), 600);
  playDeviceBuffer(a, 0);
  playDeviceBuffer(d, 0);
  EXPECT_EQ(listen(1)[0], 255);  // 122 + 10 over the top
  playDeviceBuffer(b, 0);
  playDeviceBuffer(c, 0);
  playDeviceBuffer(e, 0);
  // Only the total is clamped, not each partial sum.
  EXPECT_EQ(listen(1)[0], 128 + 122 + 122 - 108 - 108 + 10);
  stopDeviceBuffer(a);
  stopDeviceBuffer(b);
  stopDeviceBuffer(e);
  std::vector<uint8_t> heard = listen(700);  // across the mixer's chunks
  EXPECT_EQ(heard[0], 30);
  EXPECT_EQ(heard[597], 30);
  EXPECT_EQ(heard[598], 20);  // c started one sample after d
  EXPECT_EQ(heard[599], 128);
  mixHeadlessSound(nullptr, 10);  // time passes unheard
  playDeviceBuffer(a, 0);
  EXPECT_EQ(listen(1)[0], 250);
  for (DeviceBuffer* buffer : {a, b, c, d, e}) releaseDeviceBuffer(buffer);
}

TEST_F(HeadlessDevice, RateStepsThroughTheSamples) {
  DeviceBuffer* b = createDeviceBuffer(ramp(5).data(), 5);
  setDeviceBufferFrequency(b, 44100);
  playDeviceBuffer(b, 1);
  EXPECT_EQ(listen(6), std::vector<uint8_t>({129, 131, 133, 130, 132, 129}));  // looping wraps mid-step
  setDeviceBufferFrequency(b, 11025);
  rewindDeviceBuffer(b);
  listen(1);
  rewindDeviceBuffer(b);  // half-way into a sample: back to the very start
  playDeviceBuffer(b, 0);
  EXPECT_EQ(listen(11), std::vector<uint8_t>({129, 129, 130, 130, 131, 131, 132, 132, 133, 133, 128}));
  releaseDeviceBuffer(b);
}

TEST_F(HeadlessDevice, VolumeAndPanScaleTheSignal) {
  const std::vector<uint8_t> wave = {228, 28, 129, 127};  // +100, -100, +1, -1
  DeviceBuffer* b = createDeviceBuffer(wave.data(), 4);
  playDeviceBuffer(b, 1);
  setDeviceBufferVolume(b, -600);  // half the amplitude
  EXPECT_EQ(listen(4), std::vector<uint8_t>({178, 78, 129, 127}));
  setDeviceBufferVolume(b, kDeviceVolumeSilent);
  EXPECT_EQ(listen(4), std::vector<uint8_t>(4, 128));
  setDeviceBufferVolume(b, kDeviceVolumeFull);
  setDeviceBufferPan(b, kDevicePanLeft);  // one side of the two is heard
  EXPECT_EQ(listen(4), std::vector<uint8_t>({178, 78, 129, 127}));
  setDeviceBufferPan(b, 600);
  EXPECT_EQ(listen(4), std::vector<uint8_t>({128 + 75, 128 - 75, 129, 127}));
  setDeviceBufferPan(b, 0);
  EXPECT_EQ(listen(4), wave);
  releaseDeviceBuffer(b);
}

TEST_F(HeadlessDevice, LogsEveryCallUntilFull) {
  DeviceBuffer* b = createDeviceBuffer(ramp(10).data(), 10);
  playDeviceBuffer(b, 1);
  stopDeviceBuffer(b);
  rewindDeviceBuffer(b);
  setDeviceBufferPan(b, -20);
  releaseDeviceBuffer(b);
  const HeadlessSoundCall expected[] = {
      {kSoundCallCreate, 1, 10}, {kSoundCallPlay, 1, 1}, {kSoundCallStop, 1, 0},
      {kSoundCallRewind, 1, 0},  {kSoundCallPan, 1, -20}, {kSoundCallRelease, 1, 0},
  };
  ASSERT_EQ(headlessSoundCallCount(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(headlessSoundCall(i).kind, expected[i].kind) << i;
    EXPECT_EQ(headlessSoundCall(i).id, expected[i].id) << i;
    EXPECT_EQ(headlessSoundCall(i).value, expected[i].value) << i;
  }

  for (int i = 0; i < kHeadlessCallCapacity + 3; ++i) noteSoundRequest(1, 1);
  EXPECT_EQ(headlessSoundCallCount(), kHeadlessCallCapacity);
  EXPECT_EQ(headlessSoundCallsDropped(), 9);
  char text[16];
  EXPECT_EQ(formatHeadlessSoundRequests(text, sizeof text), 0);
  EXPECT_STREQ(text, "?");
}

TEST(HeadlessDeviceFaults, NoDeviceAndNoBuffers) {
  setHeadlessSoundDeviceAvailable(0);
  EXPECT_EQ(openSoundDevice(nullptr), 0);
  const uint8_t byte = 200;
  EXPECT_EQ(createDeviceBuffer(&byte, 1), nullptr);
  EXPECT_EQ(listen(3), std::vector<uint8_t>(3, 128));
  setHeadlessSoundDeviceAvailable(1);
  ASSERT_EQ(openSoundDevice(nullptr), 1);
  setHeadlessSoundBuffersAvailable(0);
  EXPECT_EQ(createDeviceBuffer(&byte, 1), nullptr);
  setHeadlessSoundBuffersAvailable(1);
  EXPECT_EQ(createDeviceBuffer(&byte, 0), nullptr);
  DeviceBuffer* b = createDeviceBuffer(&byte, 1);
  ASSERT_NE(b, nullptr);
  releaseDeviceBuffer(b);
  closeSoundDevice();
  clearHeadlessSoundCalls();
}

}  // namespace
