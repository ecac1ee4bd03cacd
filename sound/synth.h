// The synthesiser: six single-period wave tables and the rendering of one
// voice into unsigned 8-bit samples at 22050 samples per second.
#pragma once
#include <cstdint>

// The one sample rate: every sound, device, mixer and file of the game runs at it.
constexpr int kSampleRate = 22050;
constexpr int kWaveCount = 6;
constexpr int kWaveLength = 256;      // table entries in one period
constexpr int kEnvelopeLength = 256;  // envelope steps, stretched over the whole voice
constexpr int kFullLevel = 64;        // level, depth and envelope value of full strength
constexpr uint8_t kSilenceSample = 128;

enum WaveNumber {
  kWaveSine = 0,
  kWaveTriangle = 1,
  kWaveRisingSaw = 2,
  kWaveFallingSaw = 3,
  kWaveSquare = 4,
  kWaveNoise = 5,
};

// One voice: a carrier read from a wave table, its phase increment bent by a
// pitch modulator, its amplitude scaled by an amplitude modulator and by an
// envelope through four breakpoints. Cycles count waveform periods over the
// whole voice; phases are in table entries (256 = one period).
struct VoiceDef {
  int32_t length;  // samples to render; 22050 = one second
  int32_t carrierWave;
  double carrierCycles;
  int32_t carrierLevel;
  int32_t carrierPhase;
  int32_t pitchModWave;
  double pitchModCycles;
  int32_t pitchModDepth;
  int32_t pitchModPhase;
  int32_t ampModWave;
  double ampModCycles;
  int32_t ampModDepth;
  int32_t ampModPhase;
  int32_t envLevel0;
  int32_t envPoint1;
  int32_t envLevel1;
  int32_t envPoint2;
  int32_t envLevel2;
  int32_t envPoint3;
  int32_t envLevel3;  // from envPoint3 the envelope falls to 0 at index 256
};

// Fills the six tables. Reseeds the shared generator with 0 and draws 256
// values from it for the noise table, so the game's random sequence restarts.
void buildWaveTables();

// Entry `index` (0..255) of table `wave` as last built; 0 for a wave number
// or index out of range.
int waveTableEntry(int wave, int index);

// Rebuilds the tables, then writes exactly voice.length samples (128 =
// silence) into out, which must hold that many bytes. Always returns 1.
int renderVoice(const VoiceDef& voice, uint8_t* out);
