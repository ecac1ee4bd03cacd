// Static sound buffers mixed in software: the buffer table and the mix that
// the headless and SDL devices share. The devices add their own locking or
// logging around it.
#pragma once
#include <cstdint>

// One static buffer of unsigned 8-bit mono samples.
struct DeviceBuffer {
  int inUse;
  int number;  // set by the device that made it; the headless log names buffers by it
  uint8_t* samples;
  int length;
  int position;
  int playing;
  int looping;
  uint32_t fraction;  // of a sample past position, in 1/65536
  uint32_t step;      // samples per output sample, in 1/65536: the playback rate
  int volume;         // the device's units (device.h)
  int pan;
  int32_t gain;  // volume and pan together, in 1/65536
};

// Room for every slot twice over, since a replaced sound is released only
// after its successor exists.
constexpr int kMixerBuffers = 512;

// A stopped buffer at its first sample holding a copy of count samples;
// nullptr when the table is full or the copy cannot be had.
DeviceBuffer* addMixerBuffer(const uint8_t* samples, int count);
void releaseMixerBuffer(DeviceBuffer* buffer);
void releaseAllMixerBuffers();

// Back to the first sample, playing or not.
void rewindMixerBuffer(DeviceBuffer* buffer);

// The device controls (device.h ranges). The rate is a step through the
// samples, each output sample taking the one the step lands in. The output is
// mono and hears both sides of a panned sound at once: the average of the full
// side and the cut one, so a pan to either extreme halves the amplitude (-6 dB).
void setMixerBufferFrequency(DeviceBuffer* buffer, int hertz);
void setMixerBufferVolume(DeviceBuffer* buffer, int volume);
void setMixerBufferPan(DeviceBuffer* buffer, int pan);

// Advances every playing buffer by count samples and writes their mix to out
// (the signals minus 128 added and clamped; 128 when nothing plays). out may
// be null to let the time pass unheard. A one-shot that reaches its end stops
// with its position back at the first sample.
void mixBuffers(uint8_t* out, int count);

// 1 while any buffer plays: the mix is not silence.
int mixerBufferPlaying();
