// The Win32 message numbers, their parameters' values and the virtual-key
// codes: the one list the window procedure and every shell speak. Windows
// delivers these; the other shells turn their events into them.
#pragma once
#include <cstdint>

// One message as the pump takes it, whatever the shell.
struct WindowMessage {
  uint32_t message;
  uint64_t wParam;
  int64_t lParam;
};

constexpr uint32_t kWmNull = 0x0000;  // a message the game leaves alone
constexpr uint32_t kWmCreate = 0x0001;
constexpr uint32_t kWmDestroy = 0x0002;
constexpr uint32_t kWmMove = 0x0003;
constexpr uint32_t kWmSize = 0x0005;
constexpr uint32_t kWmActivate = 0x0006;
constexpr uint32_t kWmPaint = 0x000F;
constexpr uint32_t kWmClose = 0x0010;
constexpr uint32_t kWmQuit = 0x0012;  // ends the pump; never dispatched
constexpr uint32_t kWmNcMouseMove = 0x00A0;
constexpr uint32_t kWmNcLButtonDown = 0x00A1;
constexpr uint32_t kWmNcLButtonUp = 0x00A2;
constexpr uint32_t kWmKeyDown = 0x0100;
constexpr uint32_t kWmKeyUp = 0x0101;
// A key pressed with Alt (and not Ctrl) is a system key: it goes to the
// default handling, never to the game.
constexpr uint32_t kWmSysKeyDown = 0x0104;
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmMouseMove = 0x0200;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmRButtonDown = 0x0204;
constexpr uint32_t kWmRButtonUp = 0x0205;

// WM_SIZE's wParam.
constexpr uint32_t kSizeRestored = 0;
constexpr uint32_t kSizeMinimized = 1;
constexpr uint32_t kSizeMaximized = 2;

// WM_ACTIVATE's wParam.
constexpr uint64_t kDeactivated = 0;
constexpr uint64_t kActivated = 1;

// Virtual-key codes the game keeps bits for.
constexpr uint32_t kVkReturn = 0x0D;  // also the keypad's Enter
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
