// findResource over the generated table; compiled into every table library.
#include "gfx/resources.h"

#include "gfx/resource_table.h"

namespace {
char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool namesMatch(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (asciiLower(*a) != asciiLower(*b)) return false;
  }
  return *a == *b;
}
}  // namespace

const uint8_t* findResource(const char* name, size_t* size) {
  if (size != nullptr) *size = 0;
  if (name == nullptr) return nullptr;
  for (size_t i = 0; i < kResourceEntryCount; ++i) {
    if (namesMatch(kResourceEntries[i].name, name)) {
      if (size != nullptr) *size = kResourceEntries[i].size;
      return kResourceEntries[i].bytes;
    }
  }
  return nullptr;
}
