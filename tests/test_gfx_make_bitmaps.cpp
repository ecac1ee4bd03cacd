// Writes the gfx tests' pictures into a directory at build time; the tests
// embed them with pinwick_resource_table, and make fuzz uses them as seeds.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/test_gfx_bmp_writer.h"

namespace {
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: pinwick-test-bitmaps DIR\n", stderr);
    return 2;
  }
  const std::string dir = argv[1];
  std::vector<uint8_t> truncated = encodeBitmap(checkerPicture());
  truncated.resize(truncated.size() - 1);
  const bool ok = writeFile(dir + "/glyph.bmp", encodeBitmap(glyphPicture())) &&
                  writeFile(dir + "/background.bmp", encodeBitmap(backgroundPicture())) &&
                  writeFile(dir + "/checker.bmp", encodeBitmap(checkerPicture())) &&
                  writeFile(dir + "/mono.bmp", encodeBitmap(monoPicture())) &&
                  writeFile(dir + "/truncated.bmp", truncated);
  if (!ok) {
    std::fprintf(stderr, "pinwick-test-bitmaps: cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
