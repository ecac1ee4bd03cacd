// FNV-1a over the calls' arguments, 64 bits: two different frames share a
// digest once in billions of years of play.
#include "gfx/frame_digest.h"

namespace {
constexpr uint64_t kDigestStart = 14695981039346656037ull;
constexpr uint64_t kDigestPrime = 1099511628211ull;
constexpr int32_t kTextCall = -1;
constexpr int32_t kPlaceCall = -2;

uint64_t frameDigest = kDigestStart;
uint64_t copiedDigest = 0;
int mustCopy = 1;

void mix(uint64_t value) {
  for (int byte = 0; byte < 8; ++byte, value >>= 8) frameDigest = (frameDigest ^ (value & 0xFFu)) * kDigestPrime;
}

void mixRect(const Rect& r) {
  mix(static_cast<uint32_t>(r.left));
  mix(static_cast<uint32_t>(r.top));
  mix(static_cast<uint32_t>(r.right));
  mix(static_cast<uint32_t>(r.bottom));
}
}  // namespace

void digestDrawing(int32_t call, int32_t slot, const Rect& from, const Rect& to, uint32_t value) {
  mix(static_cast<uint32_t>(call));
  mix(static_cast<uint32_t>(slot));
  mixRect(from);
  mixRect(to);
  mix(value);
}

void digestText(int32_t x, int32_t y, const char* text, uint32_t colour) {
  mix(static_cast<uint32_t>(kTextCall));
  mix(static_cast<uint32_t>(x));
  mix(static_cast<uint32_t>(y));
  mix(colour);
  for (const char* p = text; *p != '\0'; ++p) mix(static_cast<uint8_t>(*p));
}

void forgetPresentedFrame() { mustCopy = 1; }

int frameNeedsCopying(const Rect& destination) {
  mix(static_cast<uint32_t>(kPlaceCall));
  mixRect(destination);
  const int copy = mustCopy || frameDigest != copiedDigest;
  copiedDigest = frameDigest;
  frameDigest = kDigestStart;
  mustCopy = 0;
  return copy;
}
