// The fifteen shipped voice records and the eight sounds made from them.
#pragma once
#include "sound/synth.h"

constexpr int kShippedVoiceCount = 15;
constexpr int kShippedSoundCount = 8;

// A sound is a run of consecutive records of kShippedVoices, created into its slot.
struct SoundRun {
  int slot;
  int firstVoice;
  int voiceCount;
};

extern const VoiceDef kShippedVoices[kShippedVoiceCount];

// Slots 1..8 in order; the runs follow one another through the voice table.
extern const SoundRun kShippedSounds[kShippedSoundCount];
