// The one window procedure. It takes Win32 message numbers as plain integers
// and turns them into input state, flags and commands; no drawing and no game
// logic happen here. The Win32 shell calls it from its WndProc, the other
// shells translate their events into the same messages.
#pragma once
#include <cstdint>

#include "host/window_messages.h"

// Menu and accelerator commands (WM_COMMAND, low 16 bits of wParam).
constexpr uint32_t kCommandExit = 40001;
constexpr uint32_t kCommandVersion = 40002;
constexpr uint32_t kCommandVolume = 40003;
constexpr uint32_t kCommandMinimise = 40004;
constexpr uint32_t kCommandReset = 40005;

// Messages the pump waits for after the Volume command, queue empty or not.
constexpr int32_t kVolumeWaitMessages = 50;

// Handles one message. Returns 1 when it was the game's; 0 tells the shell to
// give it to the platform's default handling.
int windowProcedure(uint32_t message, uint64_t wParam, int64_t lParam);

// The key bit for a virtual-key code, 0 for keys the game does not track.
int32_t keyBitFor(uint32_t virtualKey);

// The pump: 1 while the window is minimised (no frame runs, and the pump
// waits for messages).
int windowMinimised();
// The pump: how many more messages it waits for after the Volume command,
// queue empty or not; it counts each message it takes.
int32_t volumeWaitMessages();
void countVolumeWaitMessage();

// The scenes: 1 once after Game > Reset, then 0 until it is chosen again.
int takeResetRequest();

// The version box's text from the numbers and a build date such as
// "Mar 18 2006", written as __DATE__ is (the game passes the day of its
// last commit, kBuildDate, so that a rebuild shows the same).
void formatVersionText(char* text, int size, int major, int minor, int build, const char* buildDate);
