// pinwick-png-compare A B: whether two PNG files hold the same picture,
// pixel for pixel, however they were compressed. Status 0 when they do, 1
// when they differ (said on standard error), 2 when one cannot be read.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/png_read.h"

namespace {
bool load(const char* path, PngPicture* picture) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: %s\n", path, std::strerror(errno));
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string error;
  if (!readPng(bytes, picture, &error)) {
    std::fprintf(stderr, "%s: %s\n", path, error.c_str());
    return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pinwick-png-compare A.png B.png\n");
    return 2;
  }
  PngPicture a, b;
  if (!load(argv[1], &a) || !load(argv[2], &b)) return 2;
  if (a.width != b.width || a.height != b.height) {
    std::fprintf(stderr, "%s is %dx%d, %s is %dx%d\n", argv[1], a.width, a.height, argv[2], b.width, b.height);
    return 1;
  }
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    if (a.pixels[i] != b.pixels[i]) {
      const int x = static_cast<int>(i % static_cast<size_t>(a.width)), y = static_cast<int>(i / static_cast<size_t>(a.width));
      std::fprintf(stderr, "the pictures differ first at (%d, %d): %08X against %08X\n", x, y, a.pixels[i], b.pixels[i]);
      return 1;
    }
  }
  return 0;
}
