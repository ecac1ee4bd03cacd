// Window messages into InputState, flags and commands.
#include "host/window_proc.h"

#include <cstring>

#include "host/build_date.h"
#include "host/input.h"
#include "host/recording.h"
#include "host/shell.h"
#include "host/texts.h"
#include "host/window_proc_testing.h"

namespace {
int minimised = 0;
int32_t volumeWait = 0;  // messages still to come after the Volume command
int resetRequested = 0;

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
constexpr int kMonthWordMax = 15;
constexpr int kIntDigitsMax = 10;

// The version box is formatted by hand: the Windows program carries no
// printf or scanf of the C runtime.
int isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

const char* skipSpaces(const char* p) {
  while (isSpace(*p)) ++p;
  return p;
}

// A decimal int after optional white space and sign; 0 when there is none.
int readInt(const char** text, int* value) {
  const char* p = skipSpaces(*text);
  const int negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9') return 0;
  // Digits past an int's ten are read and dropped: a build date never has them.
  unsigned parsed = 0;
  for (int n = 0; *p >= '0' && *p <= '9'; ++p, ++n)
    if (n < kIntDigitsMax - 1) parsed = parsed * 10 + static_cast<unsigned>(*p - '0');
  *value = negative ? -static_cast<int>(parsed) : static_cast<int>(parsed);
  *text = p;
  return 1;
}

// snprintf for a format of plain text, "%d" and "%0Nd" with int values.
void formatInts(char* out, int size, const char* format, const int* values, int count) {
  if (size <= 0) return;
  int used = 0;
  int next = 0;
  auto put = [&](char c) {
    if (used < size - 1) out[used++] = c;
  };
  for (const char* f = format; *f != '\0'; ++f) {
    if (*f != '%') {
      put(*f);
      continue;
    }
    int width = 0;
    ++f;
    if (*f == '0') ++f;
    while (*f >= '0' && *f <= '9') width = width * 10 + (*f++ - '0');
    if (*f != 'd' || next >= count) break;
    const int value = values[next++];
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    char digits[kIntDigitsMax];
    int n = 0;
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10u);
      magnitude /= 10u;
    } while (magnitude != 0);
    if (value < 0) put('-');
    for (int pad = n + (value < 0 ? 1 : 0); pad < width; ++pad) put('0');
    while (n > 0) put(digits[--n]);
  }
  out[used] = '\0';
}

void confirmClose() {
  const int yes = shellConfirmClose(shownText(kShownCloseQuestion)) != 0;
  recordAnswer(yes);
  if (yes) shellPostDestroy();
}

void showVersionBox() {
  int major = 0, minor = 0, build = 0;
  if (!shellFileVersion(&major, &minor, &build)) major = minor = build = 0;
  char text[kVersionTextSize];
  formatVersionText(text, sizeof text, major, minor, build, kBuildDate);
  shellMessageBox(text, kTextWindowTitle);
}

void startVolumeControl() {
  // Both candidates are always tried; either one starting counts.
  int started = 0;
  for (int attempt = 0; attempt < kVolumeAttempts; ++attempt) started |= shellLaunchVolumeControl(attempt);
  if (!started) shellMessageBox(shownText(kShownVolumeFailed), kTextWindowTitle);
  volumeWait = kVolumeWaitMessages;
}

// Quick presses are latched only while frames run (input.h).
void keyDown(int32_t bit) {
  if (!minimised) inputKeyDown(bit);
  else inputKeyDownWhileMinimised(bit);
}

void mouseDown(int32_t bit) {
  if (!minimised) inputMouseDown(bit);
  else inputMouseDownWhileMinimised(bit);
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
  // Enter is the game's only while it is played by keyboard.
  if (virtualKey == kVkReturn) return keyboardPlay() ? kKeyEnter : 0;
  for (const KeyBit& k : kKeyBits)
    if (k.virtualKey == virtualKey) return k.bit;
  return 0;
}

int windowProcedure(uint32_t message, uint64_t wParam, int64_t lParam) {
  (void)lParam;
  switch (message) {
    case kWmCreate:
      minimised = 0;
      volumeWait = 0;
      return 1;
    case kWmDestroy:
      shellPostQuit();
      return 1;
    case kWmSize:
      if (wParam == kSizeRestored) minimised = 0;
      else if (wParam == kSizeMinimized) minimised = 1;
      return 1;
    case kWmClose:
      confirmClose();
      return 1;
    case kWmKeyDown: keyDown(keyBitFor(static_cast<uint32_t>(wParam))); return 1;
    case kWmKeyUp: inputKeyUp(keyBitFor(static_cast<uint32_t>(wParam))); return 1;
    case kWmCommand:
      runCommand(static_cast<uint32_t>(wParam & 0xFFFFu));
      return 1;
    case kWmLButtonDown: mouseDown(kMouseLeft); return 1;
    case kWmLButtonUp: inputMouseUp(kMouseLeft); return 1;
    case kWmRButtonDown: mouseDown(kMouseRight); return 1;
    case kWmRButtonUp: inputMouseUp(kMouseRight); return 1;
    default: return 0;
  }
}

int windowMinimised() { return minimised; }

int32_t volumeWaitMessages() { return volumeWait; }

void countVolumeWaitMessage() {
  if (volumeWait != 0) volumeWait -= 1;
}

int takeResetRequest() {
  const int requested = resetRequested;
  resetRequested = 0;
  return requested;
}

void formatVersionText(char* text, int size, int major, int minor, int build, const char* buildDate) {
  // Read as "%15s %d %d" would: the month word, then the day and the year;
  // unless all three are there, day and year are 0.
  char monthName[kMonthWordMax + 1] = "";
  const char* p = skipSpaces(buildDate);
  int length = 0;
  while (*p != '\0' && !isSpace(*p) && length < kMonthWordMax) monthName[length++] = *p++;
  monthName[length] = '\0';
  int day = 0, year = 0;
  if (length == 0 || !readInt(&p, &day) || !readInt(&p, &year)) {
    day = 0;
    year = 0;
  }
  int month = 0;
  while (month < kLastMonthIndex && std::strncmp(monthName, kMonthNames[month], 3) != 0) ++month;
  const int values[] = {major, minor, build, year, month, day};
  formatInts(text, size, kTextVersionFormat, values, sizeof values / sizeof values[0]);
}

void resetWindowState() {
  minimised = 0;
  volumeWait = 0;
  resetRequested = 0;
}

void setWindowMinimised(int on) { minimised = on ? 1 : 0; }

void setVolumeWaitMessages(int32_t messages) { volumeWait = messages; }
