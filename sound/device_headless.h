// Controls and records of the headless sound device, for the replay tool and
// the tests: its output is mixed on demand and every call is logged.
#pragma once
#include <cstdint>

constexpr int kHeadlessCallCapacity = 4096;

enum HeadlessSoundCallKind {
  kSoundCallOpen,
  kSoundCallClose,
  kSoundCallCreate,
  kSoundCallRelease,
  kSoundCallStop,
  kSoundCallRewind,
  kSoundCallPlay,
  kSoundCallRequest,  // a playSound request, whatever it then did
  kSoundCallFrequency,
  kSoundCallVolume,
  kSoundCallPan,
};

// One logged call. For a request, id is the slot and value the mode. For the
// buffer calls, id is the buffer's number (1, 2, ... in order of creation
// since the device opened) and value the sample count of a create, 1 for a
// looping play, or the value a control was set to.
struct HeadlessSoundCall {
  int kind;
  int id;
  int value;
};

// The log since the last clear, oldest first. Calls made while it is full
// are counted but not kept.
int headlessSoundCallCount();
HeadlessSoundCall headlessSoundCall(int index);
int headlessSoundCallsDropped();
void clearHeadlessSoundCalls();

// The logged requests as "slot:mode" joined by commas, "-" when there are
// none: the trace's snd field. Returns 0 (and writes "?") when they do not fit
// in size bytes or some were dropped.
int formatHeadlessSoundRequests(char* text, int size);

// Advances every playing buffer by count samples and writes their mix to out
// (the signals minus 128 added and clamped; 128 when nothing plays). out may
// be null to let the time pass unheard.
void mixHeadlessSound(uint8_t* out, int count);

// Failures on demand: the next open finds no device; buffers cannot be made.
// Both available by default.
void setHeadlessSoundDeviceAvailable(int available);
void setHeadlessSoundBuffersAvailable(int available);
