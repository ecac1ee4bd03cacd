// File pictures for every back end: reading one whole into a fixed buffer.
#include "gfx/bitmap_file.h"

#include <cstdio>

#include "gfx/gfx.h"

namespace {
uint8_t fileBytes[kBitmapFileMaxBytes];
}  // namespace

const uint8_t* readBitmapFile(const char* name, size_t* size) {
  std::FILE* file = openBaseFile(name);
  if (file == nullptr) return nullptr;
  const size_t count = std::fread(fileBytes, 1, sizeof fileBytes, file);
  // A file that fills the buffer is too large when a byte is left over.
  const bool tooLarge = count == sizeof fileBytes && std::fgetc(file) != EOF;
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (tooLarge || failed) return nullptr;
  *size = count;
  return fileBytes;
}
