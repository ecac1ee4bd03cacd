// The layout of a generated resource table; only resources.cpp and the
// generated table files include this.
#pragma once
#include <cstddef>
#include <cstdint>

struct ResourceEntry {
  const char* name;
  const uint8_t* bytes;
  size_t size;
};

extern const ResourceEntry kResourceEntries[];
extern const size_t kResourceEntryCount;
