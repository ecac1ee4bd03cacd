#include "app/printable_text.h"

#include <cstdint>
#include <cstdio>

namespace {
constexpr uint32_t kFirstC1 = 0x80, kLastC1 = 0x9F;
constexpr uint32_t kFirstSurrogate = 0xD800, kLastSurrogate = 0xDFFF;
constexpr uint32_t kLastCodePoint = 0x10FFFF;
constexpr char kEllipsis[] = "...";

// The lead byte of a character of 2, 3 or 4 bytes: the bits that mark it,
// the bits of the code point it carries, and the smallest code point that
// needs this many bytes (anything less is an overlong form).
struct Utf8Lead {
  size_t length;
  unsigned pattern;
  unsigned valueBits;
  uint32_t smallest;
};
constexpr unsigned kContinuationPattern = 0x80, kContinuationBits = 0x3F, kContinuationShift = 6;
constexpr Utf8Lead kUtf8Leads[] = {{2, 0xC0, 0x1F, 0x80}, {3, 0xE0, 0x0F, 0x800}, {4, 0xF0, 0x07, 0x10000}};

// The length of the valid UTF-8 character at bytes[at] (2 to 4), with its
// code point, or 0 when there is none: a stray continuation byte, a cut-off
// sequence, an overlong form, a surrogate or a code point past U+10FFFF.
size_t utf8Character(const std::string& bytes, size_t at, uint32_t* codePoint) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  for (const Utf8Lead& form : kUtf8Leads)
    if ((lead & ~form.valueBits) == form.pattern) length = form.length;
  if (length == 0 || at + length > bytes.size()) return 0;
  const Utf8Lead& form = kUtf8Leads[length - 2];
  uint32_t value = lead & form.valueBits;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & ~kContinuationBits) != kContinuationPattern) return 0;
    value = value << kContinuationShift | (byte(at + i) & kContinuationBits);
  }
  if (value < form.smallest || value > kLastCodePoint || (value >= kFirstSurrogate && value <= kLastSurrogate))
    return 0;
  *codePoint = value;
  return length;
}
}  // namespace

std::string printableText(const std::string& bytes, size_t limit) {
  std::string out;
  char escape[8];
  for (size_t at = 0; at < bytes.size();) {
    const unsigned char c = static_cast<unsigned char>(bytes[at]);
    size_t taken = 1;
    std::string piece;
    uint32_t codePoint = 0;
    if (c == '\\') {
      piece = "\\\\";
    } else if (c >= ' ' && c < 0x7F) {
      piece.assign(1, static_cast<char>(c));
    } else if (c < 0x80) {
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      piece = escape;
    } else if ((taken = utf8Character(bytes, at, &codePoint)) == 0) {
      taken = 1;
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      piece = escape;
    } else if (codePoint >= kFirstC1 && codePoint <= kLastC1) {
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(codePoint));
      piece = escape;
    } else {
      piece = bytes.substr(at, taken);
    }
    if (out.size() + piece.size() > limit) return out + kEllipsis;
    out += piece;
    at += taken;
  }
  return out;
}
