// The one window procedure. It takes Win32 message numbers as plain integers
// and turns them into input state, flags and commands; no drawing and no game
// logic happen here. The Win32 shell calls it from its WndProc, the other
// shells translate their events into the same messages.
#pragma once
#include <cstdint>

constexpr uint32_t kWmCreate = 0x0001;
constexpr uint32_t kWmDestroy = 0x0002;
constexpr uint32_t kWmSize = 0x0005;
constexpr uint32_t kWmClose = 0x0010;
constexpr uint32_t kWmKeyDown = 0x0100;
constexpr uint32_t kWmKeyUp = 0x0101;
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmMouseMove = 0x0200;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmRButtonDown = 0x0204;
constexpr uint32_t kWmRButtonUp = 0x0205;

constexpr uint32_t kSizeRestored = 0;
constexpr uint32_t kSizeMinimized = 1;

// Menu and accelerator commands (WM_COMMAND, low 16 bits of wParam).
constexpr uint32_t kCommandExit = 40001;
constexpr uint32_t kCommandVersion = 40002;
constexpr uint32_t kCommandVolume = 40003;
constexpr uint32_t kCommandMinimise = 40004;
constexpr uint32_t kCommandReset = 40005;

// Virtual-key codes the game keeps bits for.
constexpr uint32_t kVkShift = 0x10;
constexpr uint32_t kVkEscape = 0x1B;
constexpr uint32_t kVkSpace = 0x20;
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkUp = 0x26;
constexpr uint32_t kVkRight = 0x27;
constexpr uint32_t kVkDown = 0x28;
constexpr uint32_t kVkA = 0x41;
constexpr uint32_t kVkM = 0x4D;  // the minimise accelerator
constexpr uint32_t kVkS = 0x53;
constexpr uint32_t kVkX = 0x58;
constexpr uint32_t kVkZ = 0x5A;
constexpr uint32_t kVkF1 = 0x70;
constexpr uint32_t kVkF2 = 0x71;

// Messages the pump waits for after the Volume command, queue empty or not.
constexpr int32_t kVolumePendingMessages = 50;

extern int32_t windowActive;     // 0 while minimised
extern int32_t pendingMessages;
extern int32_t resetRequested;

// Handles one message. Returns 1 when it was the game's; 0 tells the shell to
// give it to the platform's default handling.
int windowProcedure(uint32_t message, uint64_t wParam, int64_t lParam);

// The key bit for a virtual-key code, 0 for keys the game does not track.
int32_t keyBitFor(uint32_t virtualKey);

// Once per frame: mouseX, mouseY from the shell's cursor position.
void readMousePosition(int32_t* x, int32_t* y);

// The version box's text from the numbers and a build date such as
// "Mar 18 2006" (the compiler's __DATE__).
void formatVersionText(char* text, int size, int major, int minor, int build, const char* buildDate);
