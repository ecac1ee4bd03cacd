// Window messages into InputState, flags and commands.
#include "app/window_proc.h"

#include <cstdio>
#include <cstring>

#include "app/input.h"
#include "app/shell.h"
#include "app/texts.h"

int32_t windowActive = 1;
int32_t pendingMessages = 0;
int32_t resetRequested = 0;

namespace {
struct KeyBit {
  uint32_t virtualKey;
  int32_t bit;
};

constexpr KeyBit kKeyBits[] = {
    {kVkLeft, kKeyLeft}, {kVkRight, kKeyRight}, {kVkUp, kKeyUp},       {kVkDown, kKeyDown},
    {kVkSpace, kKeySpace}, {kVkX, kKeyX},       {kVkZ, kKeyZ},         {kVkS, kKeyS},
    {kVkA, kKeyA},       {kVkShift, kKeyShift}, {kVkF1, kKeyF1},       {kVkF2, kKeyF2},
    {kVkEscape, kKeyEsc},
};

constexpr int kVolumeAttempts = 2;
constexpr int kVersionTextSize = 128;

// "XXX" holds index 0, so the index of a matching entry is its month number;
// a name that matches none of entries 0..11 gives 12.
const char* const kMonthNames[13] = {"XXX", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr int kLastMonthIndex = 12;

void confirmClose() {
  if (shellConfirmClose(kTextCloseQuestion) != 0) shellPostDestroy();
}

void showVersionBox() {
  int major = 0, minor = 0, build = 0;
  if (!shellFileVersion(&major, &minor, &build)) major = minor = build = 0;
  char text[kVersionTextSize];
  formatVersionText(text, sizeof text, major, minor, build, __DATE__);
  shellMessageBox(text, kTextWindowTitle);
}

void startVolumeControl() {
  // Both candidates are always tried; either one starting counts.
  int started = 0;
  for (int attempt = 0; attempt < kVolumeAttempts; ++attempt) started |= shellLaunchVolumeControl(attempt);
  if (!started) shellMessageBox(kTextVolumeFailed, kTextWindowTitle);
  pendingMessages = kVolumePendingMessages;
}

void runCommand(uint32_t command) {
  switch (command) {
    case kCommandExit: shellSendClose(); break;
    case kCommandVersion: showVersionBox(); break;
    case kCommandVolume: startVolumeControl(); break;
    case kCommandMinimise: shellMinimiseWindow(); break;
    case kCommandReset: resetRequested = 1; break;
    default: break;
  }
}
}  // namespace

int32_t keyBitFor(uint32_t virtualKey) {
  for (const KeyBit& k : kKeyBits)
    if (k.virtualKey == virtualKey) return k.bit;
  return 0;
}

int windowProcedure(uint32_t message, uint64_t wParam, int64_t lParam) {
  (void)lParam;
  switch (message) {
    case kWmCreate:
      windowActive = 1;
      pendingMessages = 0;
      return 1;
    case kWmDestroy:
      shellPostQuit();
      return 1;
    case kWmSize:
      if (wParam == kSizeRestored) windowActive = 1;
      else if (wParam == kSizeMinimized) windowActive = 0;
      return 1;
    case kWmClose:
      confirmClose();
      return 1;
    case kWmKeyDown: inputKeyDown(keyBitFor(static_cast<uint32_t>(wParam))); return 1;
    case kWmKeyUp: inputKeyUp(keyBitFor(static_cast<uint32_t>(wParam))); return 1;
    case kWmCommand:
      runCommand(static_cast<uint32_t>(wParam & 0xFFFFu));
      return 1;
    case kWmLButtonDown: inputMouseDown(kMouseLeft); return 1;
    case kWmLButtonUp: inputMouseUp(kMouseLeft); return 1;
    case kWmRButtonDown: inputMouseDown(kMouseRight); return 1;
    case kWmRButtonUp: inputMouseUp(kMouseRight); return 1;
    default: return 0;
  }
}

void readMousePosition(int32_t* x, int32_t* y) { shellCursorPosition(x, y); }

void formatVersionText(char* text, int size, int major, int minor, int build, const char* buildDate) {
  char monthName[16] = "";
  int day = 0, year = 0;
  if (std::sscanf(buildDate, "%15s %d %d", monthName, &day, &year) != 3) {
    day = 0;
    year = 0;
  }
  int month = 0;
  while (month < kLastMonthIndex && std::strncmp(monthName, kMonthNames[month], 3) != 0) ++month;
  std::snprintf(text, size, kTextVersionFormat, major, minor, build, year, month, day);
}

void resetWindowState() {
  windowActive = 1;
  pendingMessages = 0;
  resetRequested = 0;
}
