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
};

// Room for every slot twice over, since a replaced sound is released only
// after its successor exists.
constexpr int kMixerBuffers = 512;

// A stopped buffer at its first sample holding a copy of count samples;
// nullptr when the table is full or the copy cannot be had.
DeviceBuffer* addMixerBuffer(const uint8_t* samples, int count);
void releaseMixerBuffer(DeviceBuffer* buffer);
void releaseAllMixerBuffers();

// Advances every playing buffer by count samples and writes their mix to out
// (the signals minus 128 added and clamped; 128 when nothing plays). out may
// be null to let the time pass unheard. A one-shot that reaches its end stops
// with its position back at the first sample.
void mixBuffers(uint8_t* out, int count);
