// The sound bank: 256 slots of finished sounds on the sound device, their
// creation from voice records or wave data, playback and the buffer controls.
#pragma once
#include <cstdint>

#include "sound/synth.h"

constexpr int kSoundSlotCount = 256;

// playSound modes; any other value does nothing.
constexpr int kPlayOnce = 1;   // restart from the beginning, play once
constexpr int kPlayStop = 0;   // silence and rewind
constexpr int kPlayLoop = -1;  // play from where it is, round and round

// Opens the sound device for the window. 1 when it is open (also when it
// already was), 0 when there is none: then every other call does nothing and
// the game is silent.
int initSound(void* window);

// Renders and mixes count voices into one sound and loads it into the slot
// (0..255), replacing and releasing any sound already there. 1 when done, and
// also when there is no device (then nothing is rendered). 0 when the device
// buffer or the working memory cannot be had, or the request is unusable (no
// voices, a slot out of range, no samples); the slot then keeps what it had.
int createSynthSound(const VoiceDef* voices, int count, int slot);

// A wave (RIFF, PCM, mono, 8-bit unsigned, 22050 Hz, as readWavSamples in
// wav_read.h takes it) loaded into the slot, by the same rules and results as
// createSynthSound: from the program's wave resource of that name (matched
// without regard to case), or from the file of that name under the base
// directory (gfx/base_directory.h, whose rules keep the name inside it; a
// refused name is not looked for). A missing, unreadable or malformed
// wave loads nothing and leaves the slot as it was. The game loads none.
int loadWaveResource(const char* name, int slot);
int loadWaveFile(const char* name, int slot);

// The controls of the slot's sound, clamped to what the device takes; nothing
// for an empty slot, a slot out of range, or no device. The game sets none.
// Frequency: value x 10 + 100 Hz, within 100..100000 (2195 is the sounds' own
// 22050 Hz). Volume: value x 8 - 2400 hundredths of a decibel, within
// -10000..0 (300 and above is full). Pan: (value - 256) x 10 hundredths of a
// decibel taken off the right (below 256) or the left (above), within
// -10000..10000.
void setSoundFrequency(int slot, int value);
void setSoundVolume(int slot, int value);
void setSoundPan(int slot, int value);

// Mode 1 restarts the slot's sound and plays it once, mode 0 stops and
// rewinds it, mode -1 plays it looping from its current position. Nothing
// for an empty slot, a slot out of range, any other mode, or no device.
void playSound(int slot, int mode);

// Releases every slot's sound (0..255 in order), then the device. Safe to call
// twice; initSound may open the device again afterwards.
void shutdownSound();

// Muted, every request is still noted for the trace but nothing plays; the
// sounds are synthesised all the same, so the random sequence is unchanged.
void setSoundMuted(int muted);

// A sound is as long as its longest voice; 0 for no voices.
int soundLength(const VoiceDef* voices, int count);

// One mixed byte: the two signals (each minus 128) added and clamped to -128..127.
uint8_t mixSample(uint8_t voice, uint8_t mix);

// The sound's bytes without a device: out and scratch each hold
// soundLength(voices, count) bytes. Voices are mixed in order; bytes beyond
// a shorter voice keep what the earlier voices left there.
void mixSound(const VoiceDef* voices, int count, uint8_t* out, uint8_t* scratch);
