// libFuzzer target for the bitmap decoder (make fuzz): any bytes must give a
// clean 0 or a picture that fits exactly the room its headers announce.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The input in a buffer of exactly its own size, so that any read past the
  // end is caught.
  std::vector<uint8_t> bytes(data, data + size);
  int width = 0;
  int height = 0;
  const int sized = readBitmapSize(bytes.data(), bytes.size(), &width, &height);

  // Decoding with exactly the room the headers ask for: a write past the
  // end is caught too.
  const size_t room = sized ? static_cast<size_t>(width) * static_cast<size_t>(height) : 16;
  std::vector<uint32_t> pixels(room);
  int decodedWidth = -1;
  int decodedHeight = -1;
  const int decoded = decodeBitmap(bytes.data(), bytes.size(), pixels.data(), room, &decodedWidth, &decodedHeight);
  if (decoded && (!sized || decodedWidth != width || decodedHeight != height)) std::abort();
  if (!decoded && (decodedWidth != -1 || decodedHeight != -1)) std::abort();
  if (decoded) {
    for (uint32_t p : pixels) {
      if (p > 0x00FFFFFFu) std::abort();
    }
    // One pixel less room must be refused.
    if (decodeBitmap(bytes.data(), bytes.size(), pixels.data(), room - 1, &decodedWidth, &decodedHeight)) {
      std::abort();
    }
  }
  return 0;
}
