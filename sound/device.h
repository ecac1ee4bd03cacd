// The sound device seam. Each shell links exactly one implementation:
// device_dsound.cpp (Win32), device_sdl.cpp (SDL), device_web.cpp (the page),
// device_headless.cpp.
// Only the sound bank calls these, from the main thread.
#pragma once
#include <cstddef>
#include <cstdint>

// A static buffer of unsigned 8-bit mono samples at 22050 Hz, owned by the device.
struct DeviceBuffer;

// Opens the default output device for the window (HWND, SDL window, or null
// when headless). Returns 1 when a device is open, 0 when there is none.
// Called once by initSound.
int openSoundDevice(void* window);

// Releases the device; shutdownSound has released every buffer before.
void closeSoundDevice();

// A new buffer holding a copy of count samples (count >= 1), stopped at its
// first sample; null when the device cannot make or fill one (a buffer it
// made but could not fill is released again, never handed out silent).
DeviceBuffer* createDeviceBuffer(const uint8_t* samples, int count);

void releaseDeviceBuffer(DeviceBuffer* buffer);

// Stops where it is: a later play continues from that sample.
void stopDeviceBuffer(DeviceBuffer* buffer);

// Moves the play position to the first sample, playing or not.
void rewindDeviceBuffer(DeviceBuffer* buffer);

// Plays from the current position: once to the end, or (looping) round and
// round until stopped. A buffer that is already playing keeps going from
// where it is; the latest call decides whether it loops.
void playDeviceBuffer(DeviceBuffer* buffer, int looping);

// The three controls of a buffer, in DirectSound's units and ranges (the bank
// clamps to them): the playback rate in Hz, the volume in hundredths of a
// decibel, the pan as hundredths of a decibel taken off the other side
// (negative: the right is quieter). A new buffer plays at 22050 Hz, full
// volume, centred.
constexpr int kDeviceFrequencyLowest = 100;
constexpr int kDeviceFrequencyHighest = 100000;
constexpr int kDeviceVolumeSilent = -10000;
constexpr int kDeviceVolumeFull = 0;
constexpr int kDevicePanLeft = -10000;
constexpr int kDevicePanRight = 10000;
void setDeviceBufferFrequency(DeviceBuffer* buffer, int hertz);
void setDeviceBufferVolume(DeviceBuffer* buffer, int volume);
void setDeviceBufferPan(DeviceBuffer* buffer, int pan);

// The bytes of the named wave resource built into the program, the name
// matched without regard to case; nullptr (and *size 0) when there is none.
const uint8_t* findSoundResource(const char* name, size_t* size);

// Every playSound request, made before the bank decides whether it does
// anything. The headless device keeps them for the replay trace, the SDL and
// page devices for the live trace; DirectSound ignores them.
void noteSoundRequest(int slot, int mode);

// 1 while a device is open. A run without one synthesises nothing, so its
// random sequence differs: the recorder notes it.
int soundDeviceIsOpen();

// The requests noted since the last call, as the trace's snd field
// ("slot:mode" joined by commas, "-" for none; "?" and 0 when they do not
// fit), and forgets them. A device that keeps none writes "-".
int takeSoundRequests(char* text, int size);
