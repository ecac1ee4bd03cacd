// libFuzzer target for the replay-script parser (make fuzz): scripts come
// with bug reports, so any bytes must give events in frame order, or one
// short error that names a line of the input and that a terminal shows as
// text: valid UTF-8 without a control character.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/replay_script.h"

namespace {
constexpr size_t kLongestError = 256;
constexpr int32_t kCoordinateLimit = 100000;

// 1 when text is UTF-8 with no C0, DEL or C1 control (a rough check: it lets
// overlong forms through, which no terminal acts on).
int showsAsText(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                          : c >= 0xF0 && c <= 0xF4                ? 4 : 0;
    if (length == 0 || i + length > text.size() || c < ' ' || c == 0x7F) return 0;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) return 0;  // U+0080..U+009F
    i += length;
  }
  return 1;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t lines = 1;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  std::vector<ScriptEvent> events;
  std::string error;
  if (parseReplayScript(text, "fuzz.txt", events, error)) {
    for (size_t i = 0; i < events.size(); ++i) {
      const ScriptEvent& e = events[i];
      if (e.frame < 0 || (i > 0 && e.frame < events[i - 1].frame)) std::abort();
      if (e.kind == kEventMouse && (e.a < -kCoordinateLimit || e.a > kCoordinateLimit ||
                                    e.b < -kCoordinateLimit || e.b > kCoordinateLimit))
        std::abort();
    }
    return 0;
  }
  // "fuzz.txt:LINE: reason", the line one of the input's.
  if (error.compare(0, 9, "fuzz.txt:") != 0 || error.size() > kLongestError) std::abort();
  char* end = nullptr;
  const unsigned long line = std::strtoul(error.c_str() + 9, &end, 10);
  if (end == error.c_str() + 9 || line < 1 || line > lines || std::strncmp(end, ": ", 2) != 0 || end[2] == '\0')
    std::abort();
  if (!showsAsText(error)) std::abort();
  return 0;
}
