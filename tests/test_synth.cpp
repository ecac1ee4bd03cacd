// Wave tables and voice rendering: exact bytes, envelope ramps, oscillators.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "game/random.h"
#include "game/random_testing.h"
#include "sound/synth.h"
#include "sound/voices.h"

namespace {

// A flat probe: a square carrier standing still at +64, full level, no
// modulation, so every output byte is 128 + the envelope entry it uses.
// With length 256, sample i uses envelope entry i.
VoiceDef envelopeProbe(int l0, int p1, int l1, int p2, int l2, int p3, int l3) {
  VoiceDef v{};
  v.length = 256;
  v.carrierWave = kWaveSquare;
  v.carrierLevel = 64;
  v.ampModWave = kWaveSine;
  v.envLevel0 = l0;
  v.envPoint1 = p1;
  v.envLevel1 = l1;
  v.envPoint2 = p2;
  v.envLevel2 = l2;
  v.envPoint3 = p3;
  v.envLevel3 = l3;
  return v;
}

std::vector<int> envelopeOf(const VoiceDef& probe) {
  std::vector<uint8_t> out(static_cast<size_t>(probe.length));
  renderVoice(probe, out.data());
  std::vector<int> envelope;
  for (uint8_t b : out) envelope.push_back(b - 128);
  return envelope;
}

std::vector<uint8_t> render(const VoiceDef& voice) {
  std::vector<uint8_t> out(static_cast<size_t>(voice.length));
  EXPECT_EQ(renderVoice(voice, out.data()), 1);
  return out;
}

uint32_t stateAfterStartupDraws() {
  seedRandom(0);
  for (int i = 0; i < 256; ++i) drawRandom();
  return randomState();
}

const int kExpectedSine[256] = {
    0, 1, 3, 4, 6, 7, 9, 10, 12, 14, 15, 17, 18, 20, 21, 23,
    24, 25, 27, 28, 30, 31, 32, 34, 35, 36, 38, 39, 40, 41, 42, 44,
    45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 54, 55, 56, 57, 57, 58,
    59, 59, 60, 60, 61, 61, 62, 62, 62, 63, 63, 63, 63, 63, 63, 63,
    63, 63, 63, 63, 63, 63, 63, 63, 62, 62, 62, 61, 61, 60, 60, 59,
    59, 58, 57, 57, 56, 55, 54, 54, 53, 52, 51, 50, 49, 48, 47, 46,
    45, 44, 42, 41, 40, 39, 38, 36, 35, 34, 32, 31, 30, 28, 27, 25,
    24, 23, 21, 20, 18, 17, 15, 14, 12, 10, 9, 7, 6, 4, 3, 1,
    0, -1, -3, -4, -6, -7, -9, -10, -12, -14, -15, -17, -18, -20, -21, -23,
    -24, -25, -27, -28, -30, -31, -32, -34, -35, -36, -38, -39, -40, -41, -42, -44,
    -45, -46, -47, -48, -49, -50, -51, -52, -53, -54, -54, -55, -56, -57, -57, -58,
    -59, -59, -60, -60, -61, -61, -62, -62, -62, -63, -63, -63, -63, -63, -63, -63,
    -63, -63, -63, -63, -63, -63, -63, -63, -62, -62, -62, -61, -61, -60, -60, -59,
    -59, -58, -57, -57, -56, -55, -54, -54, -53, -52, -51, -50, -49, -48, -47, -46,
    -45, -44, -42, -41, -40, -39, -38, -36, -35, -34, -32, -31, -30, -28, -27, -25,
    -24, -23, -21, -20, -18, -17, -15, -14, -12, -10, -9, -7, -6, -4, -3, -1,
};

TEST(WaveTables, HoldTheSixShapes) {
  buildWaveTables();
  for (int i = 0; i < 256; ++i) EXPECT_EQ(waveTableEntry(kWaveSine, i), kExpectedSine[i]) << "sine " << i;

  EXPECT_EQ(waveTableEntry(kWaveTriangle, 63), 63);
  EXPECT_EQ(waveTableEntry(kWaveTriangle, 64), 64);
  EXPECT_EQ(waveTableEntry(kWaveTriangle, 191), -63);
  EXPECT_EQ(waveTableEntry(kWaveTriangle, 192), -64);
  EXPECT_EQ(waveTableEntry(kWaveTriangle, 255), -1);

  EXPECT_EQ(waveTableEntry(kWaveRisingSaw, 0), -64);
  EXPECT_EQ(waveTableEntry(kWaveRisingSaw, 255), 63);
  EXPECT_EQ(waveTableEntry(kWaveFallingSaw, 0), 64);
  EXPECT_EQ(waveTableEntry(kWaveFallingSaw, 255), -63);
  EXPECT_EQ(waveTableEntry(kWaveSquare, 127), 64);
  EXPECT_EQ(waveTableEntry(kWaveSquare, 128), -64);

  const int firstNoise[8] = {19, 19, -5, -61, -52, 10, -41, 14};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(waveTableEntry(kWaveNoise, i), firstNoise[i]) << "noise " << i;
  // The whole noise table, as bytes folded into one FNV-1a hash.
  uint64_t hash = 0xcbf29ce484222325u;
  for (int i = 0; i < 256; ++i) hash = (hash ^ static_cast<uint8_t>(waveTableEntry(kWaveNoise, i))) * 0x100000001b3u;
  EXPECT_EQ(hash, 0xd9c27bcb3b8801dfu);

  int low[kWaveCount], high[kWaveCount];
  for (int w = 0; w < kWaveCount; ++w) {
    low[w] = high[w] = waveTableEntry(w, 0);
    for (int i = 1; i < 256; ++i) {
      low[w] = std::min(low[w], waveTableEntry(w, i));
      high[w] = std::max(high[w], waveTableEntry(w, i));
    }
  }
  const int expectedLow[kWaveCount] = {-63, -64, -64, -63, -64, -63};
  const int expectedHigh[kWaveCount] = {63, 64, 63, 64, 64, 63};
  for (int w = 0; w < kWaveCount; ++w) {
    EXPECT_EQ(low[w], expectedLow[w]) << "wave " << w;
    EXPECT_EQ(high[w], expectedHigh[w]) << "wave " << w;
  }
}

// The sine table goes through the C library's sin(), which may differ in its
// last bits between libraries. Every product stays more than 1e-12 (about 70
// units in the last place of 64) away from a whole number, so truncation
// gives the same table wherever sin() is accurate to a few units.
TEST(WaveTables, SineProductsStayClearOfTruncationSteps) {
  for (int i = 1; i < 256; ++i) {
    double x = std::sin((i * 6.283184) / 256) * 64;
    EXPECT_GT(std::fabs(x - std::round(x)), 1e-12) << "entry " << i;
  }
}

TEST(WaveTables, RestartTheSharedGeneratorAt256DrawsAfterSeedZero) {
  const uint32_t expected = stateAfterStartupDraws();
  seedRandom(12345);
  buildWaveTables();
  EXPECT_EQ(randomState(), expected);
}

TEST(Envelope, RampsFromEachSegmentsOwnStartLevel) {
  // 0 -> 64 over 10 steps, then 32 -> 0 over 20, then 48 flat, then fading.
  std::vector<int> e = envelopeOf(envelopeProbe(0, 10, 32, 30, 48, 200, 48));
  EXPECT_EQ(e[0], 0);
  EXPECT_EQ(e[9], 28);   // trunc(9 * 3.2)
  EXPECT_EQ(e[10], 32);  // its own start, not where the first ramp ended
  EXPECT_EQ(e[20], 39);  // ten additions of 0.8 in double fall just short of 40
  EXPECT_EQ(e[30], 48);
  EXPECT_EQ(e[199], 48);
  EXPECT_EQ(e[200], 48);
  EXPECT_EQ(e[228], 24);  // 48 - 28 * 48 / 56
  EXPECT_EQ(e[255], 0);   // 48 / 56 above 0, truncated
}

TEST(Envelope, SkipsRampsWhosePointIsNotAhead) {
  // envPoint1 = 0: entry 0 already holds envLevel1.
  std::vector<int> e = envelopeOf(envelopeProbe(10, 0, 50, 100, 50, 200, 0));
  EXPECT_EQ(e[0], 50);
  EXPECT_EQ(e[99], 50);

  // envPoint2 above envPoint3: the third ramp is skipped and the fade-out
  // starts at envPoint2 from envLevel3, ending above 0.
  e = envelopeOf(envelopeProbe(64, 10, 64, 200, 64, 100, 60));
  EXPECT_EQ(e[199], 64);
  EXPECT_EQ(e[200], 60);
  EXPECT_EQ(e[201], 59);  // 60 - 60 / 156
  EXPECT_EQ(e[255], 38);  // 60 - 55 * 60 / 156, well above 0

  // envPoint3 = 255: the fade-out is the single entry 255 at envLevel3.
  e = envelopeOf(envelopeProbe(20, 64, 20, 128, 20, 255, 63));
  EXPECT_EQ(e[254], 62);  // the third ramp, 20 -> 63, just before its end
  EXPECT_EQ(e[255], 63);

  // envPoint3 = 256 leaves no fade-out: the third ramp, 40 -> 64, runs to the end.
  e = envelopeOf(envelopeProbe(40, 64, 40, 128, 40, 256, 64));
  EXPECT_EQ(e[254], 63);
  EXPECT_EQ(e[255], 63);
}

TEST(Envelope, StretchesOverTheWholeVoice) {
  VoiceDef v = envelopeProbe(0, 128, 64, 128, 64, 256, 64);
  v.length = 1000;  // sample i uses entry trunc(i * 256 / 1000)
  std::vector<uint8_t> out = render(v);
  EXPECT_EQ(out[0], 128);
  EXPECT_EQ(out[3], 128);      // entry 0
  EXPECT_EQ(out[4], 128 + 0);  // entry 1: trunc(0.5)
  EXPECT_EQ(out[8], 129);      // entry 2
  EXPECT_EQ(out[500], 192);    // entry 128: the second segment's level
  EXPECT_EQ(out[999], 192);
}

TEST(RenderVoice, AllLevelsZeroIsSilence) {
  VoiceDef v = kShippedVoices[1];
  v.envLevel0 = v.envLevel1 = v.envLevel2 = v.envLevel3 = 0;
  std::vector<uint8_t> out = render(v);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], 128) << "sample " << i;
}

TEST(RenderVoice, OscillatorsWithoutCyclesStandStill) {
  // Carrier at cycles 0 from phase 64 on the triangle: +64 for every sample.
  VoiceDef v = envelopeProbe(64, 0, 64, 0, 64, 256, 64);
  v.carrierWave = kWaveTriangle;
  v.carrierPhase = 64;
  v.pitchModWave = kWaveSquare;  // would bend any moving carrier upwards
  v.pitchModDepth = 64;
  std::vector<uint8_t> out = render(v);
  for (uint8_t b : out) ASSERT_EQ(b, 192);

  // An amplitude modulator at cycles 0, wave 0, phase 0 reads 0: gain 64.
  VoiceDef plain = kShippedVoices[5];
  plain.ampModDepth = 0;
  VoiceDef modulated = kShippedVoices[5];
  modulated.ampModWave = kWaveSine;
  modulated.ampModCycles = 0;
  modulated.ampModPhase = 0;
  modulated.ampModDepth = 64;
  EXPECT_EQ(render(plain), render(modulated));

  // A standing amplitude modulator elsewhere scales by gain / 64: square +64 at
  // depth 32 gives gain 96, so 64 becomes 96.
  v = envelopeProbe(64, 0, 64, 0, 64, 256, 64);
  v.ampModWave = kWaveSquare;
  v.ampModDepth = 32;
  EXPECT_EQ(render(v)[0], 128 + 96);
}

TEST(RenderVoice, IsRepeatableAndLeavesTheGeneratorInOnePlace) {
  const uint32_t expected = stateAfterStartupDraws();
  for (const VoiceDef& voice : kShippedVoices) {
    seedRandom(99);
    std::vector<uint8_t> first = render(voice);
    EXPECT_EQ(randomState(), expected);
    drawRandom();
    std::vector<uint8_t> second = render(voice);
    EXPECT_EQ(first, second);
    EXPECT_EQ(randomState(), expected);
  }
}

TEST(RenderVoice, WritesExactlyLengthSamplesWithinTheShippedRange) {
  for (const VoiceDef& voice : kShippedVoices) {
    std::vector<uint8_t> out(static_cast<size_t>(voice.length) + 4, 0xEE);
    renderVoice(voice, out.data());
    for (int g = 0; g < 4; ++g) EXPECT_EQ(out[static_cast<size_t>(voice.length) + g], 0xEE);
    for (int i = 0; i < voice.length; ++i) {
      ASSERT_GE(out[i], 83) << "voice length " << voice.length << " sample " << i;
      ASSERT_LE(out[i], 173) << "voice length " << voice.length << " sample " << i;
    }
  }
}

// Records outside the valid limits must still stay inside memory: a wave
// number beyond the tables reads silence, a negative phase reads the table
// as the periodic wave, envelope points beyond 256 stop at the envelope's end.
TEST(RenderVoice, StaysInsideItsTablesForRecordsOutOfLimits) {
  VoiceDef v = envelopeProbe(64, 0, 64, 0, 64, 256, 64);
  v.carrierWave = 9;
  for (uint8_t b : render(v)) ASSERT_EQ(b, 128);
  v.carrierWave = -1;
  for (uint8_t b : render(v)) ASSERT_EQ(b, 128);

  v = envelopeProbe(64, 0, 64, 0, 64, 256, 64);
  v.carrierWave = kWaveTriangle;
  v.carrierPhase = -192;  // the same point of the period as phase 64
  EXPECT_EQ(render(v)[0], 192);

  std::vector<int> e = envelopeOf(envelopeProbe(0, 300, 64, 400, 64, 1000, 0));
  EXPECT_EQ(e[0], 0);
  EXPECT_EQ(e[255], 54);  // trunc(255 * 64 / 300): the first ramp runs to the end
}

}  // namespace
