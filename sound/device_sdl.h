// Test controls of the SDL sound device (device_sdl.cpp).
#pragma once
#include <cstdint>

// 0 holds the audio callback still (the device stays open), 1 lets it run.
// The device runs from openSoundDevice on.
void setSdlSoundRunning(int running);

// What the callback does: advances every playing buffer by count samples
// and writes their mix to out (the signals minus 128 added and clamped; 128
// when nothing plays). Call it only while the callback is held still.
void mixSdlSound(uint8_t* out, int count);

// SDL's removal event for an output device: when it is ours, the game goes
// on silent (the device stays open, so every buffer stays valid) and says
// so once on stderr.
void noteSdlSoundDeviceRemoved(uint32_t which);
