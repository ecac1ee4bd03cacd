// The base directory and the name rules that keep a name inside it.
#include "gfx/base_directory.h"

#include <cstring>

namespace {
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

// Both separators count on every build, so a name means the same file
// everywhere and none is taken on one build and refused on another.
bool staysInside(const char* name) {
  if (name == nullptr || name[0] == '\0' || isSeparator(name[0])) return false;
  const char* component = name;
  for (const char* p = name;; ++p) {
    if (*p == ':') return false;
    if (*p != '\0' && !isSeparator(*p)) continue;
    if (climbsUp(component, static_cast<size_t>(p - component))) return false;
    if (*p == '\0') return true;
    component = p + 1;
  }
}
}  // namespace

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

std::FILE* openBaseFile(const char* name) {
  char path[kBaseFilePathSize];
  return baseFilePath(name, path, sizeof path) ? std::fopen(path, "rb") : nullptr;
}
