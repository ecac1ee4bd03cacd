// libFuzzer target for the icon and cursor decoder of the SDL build (make
// fuzz): any bytes must give a clean 0, or an image within its limits whose
// cursor planes fit the room the game gives them.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/sdl/icon_file.h"

namespace {
constexpr size_t kPlaneBytes = kIconMaxSide * kIconMaxSide / 8;
constexpr uint32_t kAlpha = 0xFF000000u;
IconImage image;
uint8_t data[kPlaneBytes];
uint8_t mask[kPlaneBytes];
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  // The input in a buffer of exactly its own size, so that any read past the
  // end is caught.
  std::vector<uint8_t> file(bytes, bytes + size);
  if (!decodeIconFile(file.data(), file.size(), &image)) return 0;
  if (image.width < 1 || image.width > kIconMaxSide || image.height < 1 || image.height > kIconMaxSide) std::abort();
  for (int i = 0; i < image.width * image.height; ++i) {
    const uint32_t alpha = image.pixels[i] & kAlpha;
    if (alpha != 0 && alpha != kAlpha) std::abort();
  }
  if (!cursorPlanes(image, data, mask, sizeof data)) std::abort();
  return 0;
}
