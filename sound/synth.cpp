// Wave tables and voice rendering. Every real step is an IEEE double operation
// in a fixed order, so the same bytes come out on every build.
#include "sound/synth.h"

#include <cmath>

#include "game/random.h"

namespace {
// A little below 2 pi on purpose: with truncation the sine peaks at 63 and -63.
constexpr double kSineTurn = 6.283184;
constexpr int kQuarterWave = 64;
constexpr int kHalfWave = 128;
constexpr int kThreeQuarterWave = 192;
constexpr int kTableAmplitude = 64;
constexpr int kSilentRow = kWaveCount;

// Doubles of this size and beyond are whole multiples of 512, so their table
// index is 0; below it, truncation to 64 bits is exact.
constexpr double kHugePhase = 4611686018427387904.0;  // 2^62

// One extra row, never written and so all zeros: a wave number outside 0..5 reads silence there
// instead of memory beyond the tables.
int8_t waveTables[kWaveCount + 1][kWaveLength];

const int8_t* waveRow(int32_t wave) {
  if (wave < 0 || wave >= kWaveCount) return waveTables[kSilentRow];
  return waveTables[wave];
}

int8_t lowByte(int64_t value) { return static_cast<int8_t>(static_cast<uint8_t>(value)); }

// trunc(phase) mod 256. Shipped phases never go below 0; a negative one reads
// the table as the periodic wave it is rather than before its start.
int tableIndex(double phase) {
  if (!(phase > -kHugePhase && phase < kHugePhase)) return 0;  // also NaN
  int r = static_cast<int>(static_cast<int64_t>(phase) % kWaveLength);
  return r < 0 ? r + kWaveLength : r;
}

// One envelope ramp: entries i..end-1 from start, each step apart, where step
// is rise / run in double. Returns the index where the ramp stopped. A ramp
// whose end is not beyond i writes nothing (and divides by nothing).
int writeRamp(int8_t* envelope, int i, int32_t end, int64_t start, int64_t rise, int64_t run) {
  int stop = end < kEnvelopeLength ? end : kEnvelopeLength;
  if (i >= stop) return i;
  const double step = static_cast<double>(rise) / static_cast<double>(run);
  double e = static_cast<double>(start);
  for (; i < stop; ++i) {
    envelope[i] = lowByte(static_cast<int64_t>(e));
    e = step + e;
  }
  return i;
}

// The four ramps share one running index; each starts from its own level.
// The last one falls from envLevel3 towards 0 at index 256: e - l3 / (256 - p3)
// is the same double as e + (-l3) / (256 - p3).
void buildEnvelope(const VoiceDef& v, int8_t* envelope) {
  for (int i = 0; i < kEnvelopeLength; ++i) envelope[i] = 0;
  int i = 0;
  i = writeRamp(envelope, i, v.envPoint1, v.envLevel0, int64_t{v.envLevel1} - v.envLevel0, v.envPoint1);
  i = writeRamp(envelope, i, v.envPoint2, v.envLevel1, int64_t{v.envLevel2} - v.envLevel1,
                int64_t{v.envPoint2} - v.envPoint1);
  i = writeRamp(envelope, i, v.envPoint3, v.envLevel2, int64_t{v.envLevel3} - v.envLevel2,
                int64_t{v.envPoint3} - v.envPoint2);
  writeRamp(envelope, i, kEnvelopeLength, v.envLevel3, -int64_t{v.envLevel3}, kEnvelopeLength - int64_t{v.envPoint3});
}

// Table entries per sample: first length / cycles, then 256 divided by that.
double phaseStep(int32_t length, double cycles) {
  if (cycles == 0) return 0;
  return kWaveLength / (static_cast<double>(length) / cycles);
}

// trunc((i * 256) / length) with the division in double; below 256 for i < length.
int envelopeIndex(int32_t i, int32_t length) {
  double position = static_cast<double>(int64_t{i} * kEnvelopeLength) / static_cast<double>(length);
  int k = static_cast<int>(position);
  return k < kEnvelopeLength ? k : kEnvelopeLength - 1;
}
}  // namespace

void buildWaveTables() {
  int8_t* sine = waveTables[kWaveSine];
  int8_t* triangle = waveTables[kWaveTriangle];
  int8_t* rising = waveTables[kWaveRisingSaw];
  int8_t* falling = waveTables[kWaveFallingSaw];
  int8_t* square = waveTables[kWaveSquare];
  int8_t* noise = waveTables[kWaveNoise];
  for (int i = 0; i < kWaveLength; ++i) {
    // The nearest integer is far enough from every product (at least 3e-12,
    // at entry 64) that any correctly working sin() truncates to the same value.
    double angle = (i * kSineTurn) / kWaveLength;
    sine[i] = static_cast<int8_t>(static_cast<int>(std::sin(angle) * kTableAmplitude));
    if (i < kQuarterWave) {
      triangle[i] = static_cast<int8_t>(i);
    } else if (i < kThreeQuarterWave) {
      triangle[i] = static_cast<int8_t>(kHalfWave - i);
    } else {
      triangle[i] = static_cast<int8_t>(i - kWaveLength);
    }
    rising[i] = static_cast<int8_t>(i / 2 - kTableAmplitude);
    falling[i] = static_cast<int8_t>(kTableAmplitude - i / 2);
    square[i] = static_cast<int8_t>(i < kHalfWave ? kTableAmplitude : -kTableAmplitude);
  }
  seedRandom(0);
  for (int i = 0; i < kWaveLength; ++i) {
    int r = drawRandom();  // 0..32767, so mod 256 is never negative
    noise[i] = static_cast<int8_t>(lowByte(r % kWaveLength) / 2);
  }
}

int waveTableEntry(int wave, int index) {
  if (index < 0 || index >= kWaveLength) return 0;
  return waveRow(wave)[index];
}

int renderVoice(const VoiceDef& voice, uint8_t* out) {
  buildWaveTables();
  int8_t envelope[kEnvelopeLength];
  buildEnvelope(voice, envelope);

  const int8_t* carrierTable = waveRow(voice.carrierWave);
  const int8_t* pitchTable = waveRow(voice.pitchModWave);
  const int8_t* ampTable = waveRow(voice.ampModWave);
  const double stepC = phaseStep(voice.length, voice.carrierCycles);
  const double stepP = phaseStep(voice.length, voice.pitchModCycles);
  const double stepA = phaseStep(voice.length, voice.ampModCycles);
  const double depth = voice.pitchModDepth;
  double carrierPhase = voice.carrierPhase;
  double pitchPhase = voice.pitchModPhase;
  double ampPhase = voice.ampModPhase;

  // 64-bit products: the shipped levels stay far inside 32 bits, but a record
  // with wild levels must not overflow.
  for (int32_t i = 0; i < voice.length; ++i) {
    const int c = tableIndex(carrierPhase);
    const int p = tableIndex(pitchPhase);
    const int a = tableIndex(ampPhase);
    const int k = envelopeIndex(i, voice.length);
    const int64_t tone = int64_t{carrierTable[c]} * voice.carrierLevel / kFullLevel;
    const int64_t gain = int64_t{ampTable[a]} * voice.ampModDepth / kFullLevel + kFullLevel;
    const int64_t shaped = gain * tone / kFullLevel;
    const int64_t sample = shaped * envelope[k] / kFullLevel;
    out[i] = static_cast<uint8_t>(sample + kSilenceSample);

    // Bending up is four times as strong per step of v as bending down.
    const int v = pitchTable[p];
    if (v < 0) {
      carrierPhase = (stepC - stepC * 0.5 * -v * depth / 64 / 64) + carrierPhase;
    } else {
      carrierPhase = (stepC * 2 * v * depth / 64 / 64 + stepC) + carrierPhase;
    }
    pitchPhase += stepP;
    ampPhase += stepA;
  }
  return 1;
}
