// The base directory and the name rules that keep a name inside it. The
// file itself is opened by the platform's base_file_*.cpp.
#include "gfx/base_directory.h"

#include <cstring>

namespace {
// Names Windows opens as devices in any folder: the console, the printer, the
// serial and parallel ports, the bit bucket.
const char* const kDeviceNames[] = {"CON",  "PRN",  "AUX",  "NUL",  "CONIN$", "CONOUT$", "COM1", "COM2",
                                    "COM3", "COM4", "COM5", "COM6", "COM7",   "COM8",    "COM9", "LPT1",
                                    "LPT2", "LPT3", "LPT4", "LPT5", "LPT6",   "LPT7",    "LPT8", "LPT9"};

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

char baseDirectory[kBaseFilePathSize];
bool baseDirectorySet = false;

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// "..", and the names Windows reads as ".." because it drops trailing dots
// and spaces ("...", ".. ").
bool climbsUp(const char* component, size_t length) {
  size_t dots = 0;
  for (size_t i = 0; i < length; ++i) {
    if (component[i] == '.') ++dots;
    else if (component[i] != ' ') return false;
  }
  return dots >= 2;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Both separators count on every build, so a name means the same file
// everywhere and none is taken on one build and refused on another; device
// names are refused everywhere for the same reason.
bool staysInside(const char* name) {
  if (name == nullptr || name[0] == '\0' || isSeparator(name[0])) return false;
  const char* component = name;
  for (const char* p = name;; ++p) {
    if (*p == ':') return false;
    if (*p != '\0' && !isSeparator(*p)) continue;
    const size_t length = static_cast<size_t>(p - component);
    if (climbsUp(component, length) || namesWindowsDevice(component, length)) return false;
    if (*p == '\0') return true;
    component = p + 1;
  }
}
}  // namespace

// Windows finds the device by the part before the first dot, with the spaces
// before that dot dropped: "nul", "Aux.bmp", "com1 .wav", "CON." all open one.
bool namesWindowsDevice(const char* component, size_t length) {
  size_t stem = 0;
  while (stem < length && component[stem] != '.') ++stem;
  while (stem > 0 && component[stem - 1] == ' ') --stem;
  for (const char* device : kDeviceNames) {
    size_t i = 0;
    while (i < stem && device[i] != '\0' && upper(component[i]) == device[i]) ++i;
    if (i == stem && device[i] == '\0') return true;
  }
  return false;
}

int setBaseDirectory(const char* directory) {
  baseDirectorySet = false;
  if (directory == nullptr || std::strlen(directory) >= sizeof baseDirectory) return 0;
  std::strcpy(baseDirectory, directory);
  baseDirectorySet = true;
  return 1;
}

int baseFilePath(const char* name, char* path, size_t capacity) {
  if (!baseDirectorySet || !staysInside(name)) return 0;
  const size_t baseLength = std::strlen(baseDirectory);
  // An empty base directory is the current one: the name stays as it is.
  const size_t separator = baseLength > 0 && !isSeparator(baseDirectory[baseLength - 1]) ? 1 : 0;
  const size_t nameLength = std::strlen(name);
  if (baseLength + separator + nameLength >= capacity) return 0;
  std::memcpy(path, baseDirectory, baseLength);
  if (separator != 0) path[baseLength] = kSeparator;
  std::memcpy(path + baseLength + separator, name, nameLength + 1);
  return 1;
}

const char* currentBaseDirectory() { return baseDirectorySet ? baseDirectory : nullptr; }
